// A tiny library for the dynamic-loading tests.
extern "C" __attribute__((visibility("default"))) int orlu_test_answer() { return 42; }

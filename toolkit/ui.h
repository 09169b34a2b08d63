// The toolkit in one include.
#pragma once

#include "toolkit/clipboard.h"
#include "toolkit/controls.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/dui_string.h"
#include "toolkit/embedded.h"
#include "toolkit/fonts.h"
#include "toolkit/menu.h"
#include "toolkit/message_box.h"
#include "toolkit/paint_manager.h"
#include "toolkit/png.h"
#include "toolkit/skin_archive.h"
#include "toolkit/window.h"

// Every control class in one include.
#pragma once

#include "toolkit/button.h"
#include "toolkit/containers.h"
#include "toolkit/edit.h"
#include "toolkit/gif_anim.h"
#include "toolkit/label.h"
#include "toolkit/list.h"
#include "toolkit/progress.h"

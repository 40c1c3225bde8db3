#pragma once

#include "runs/notice.h"

// The engine routines shared across the engine and with the windows.
#pragma once

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/GConst.h"
#include "base/GameTexts.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

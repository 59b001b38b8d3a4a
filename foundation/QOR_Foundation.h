// Everything of the foundation in one include.
#pragma once

#include "foundation/QOR_Types.h"
#include "foundation/QOR_Graphics.h"
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Bind.h"

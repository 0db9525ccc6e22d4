#pragma once

// A control that reaches up into the views: the layer check must refuse it.
#include "views/CMainView.h"

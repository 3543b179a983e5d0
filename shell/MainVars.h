// The main variables are kernel records (core/MainVars.h): the walks and the object
// builder read them. The shell keeps reaching them here.
#pragma once
#include "core/MainVars.h"

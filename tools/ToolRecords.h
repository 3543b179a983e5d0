// The tool records are kernel records (core/ToolRecords.h); the tool code keeps
// reaching them here.
#pragma once
#include "core/ToolRecords.h"

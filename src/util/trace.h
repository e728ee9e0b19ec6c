// The stub's trace stream: one line per call, for an external debug viewer.
#pragma once

#include <string>

void Trace(const std::string& line);

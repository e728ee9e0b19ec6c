// The stub's entry: reads its own package and runs the role it has.
#pragma once

int StubMain();

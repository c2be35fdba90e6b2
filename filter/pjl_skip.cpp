// The incoming PJL header skipper of the PCL XL road.
#include "pjl_skip.h"

#include "input_pjl_header.h"

int skipPJLHeader(InputReader& in) { return readInputPjlHeader(in).found ? 1 : 0; }

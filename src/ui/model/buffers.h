// Memory that lives as long as the program: the text scratch lines, the
// input line and the file-name buffers. (The Z record is a network array:
// allocate_mem_Z_parameter in engine/model/network_arrays.h.)
#pragma once

void allocate_mem_buffers();
void free_mem_buffers();

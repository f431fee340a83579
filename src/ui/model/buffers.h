// Memory that lives as long as the program: the text scratch lines, the
// input line, the file-name buffers and the Z record.
#pragma once

void allocate_mem_buffers();
void free_mem_buffers();
void allocate_mem_Z_parameter();   // zparam: Z, Z-left, Z-right
void free_mem_Z_parameter();

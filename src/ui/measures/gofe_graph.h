// The axes of the G-density graph of a sweep.
#pragma once

// Draws the axes by gd_z_graph and sets gox, goy, lx, ly.
void gofE_z_graph();
// Stand-in until the lambda-Z graphs are built: plots the current rule's Z
// against its lambda ratio (lambda_z_lambda) or its Z-left against its
// Z-right (lambda_z_zleft_zright) as one point on the frame of
// gofE_z_graph, whatever totalgraphrules and no_bias say.
void draw_lambda_z_graph(int no_bias);

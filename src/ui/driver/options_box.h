// The pause after a display: the options box and its actions.
#pragma once

// Loops over the options box until a key that concerns the caller; that key
// is left in is[0]. flag 1 allows every key (the run loops); 0 makes 'e',
// 'P', 't' and 'o' end the loop without acting, 'n' do nothing and 'g' skip
// the graphics menu.
void finish_options(int flag);

// Definitions and start values of the network description (see globals.h).
#include "model/globals.h"

int8_t value_range = 2;
int8_t value_bits = 1;
uint16_t lineL = 0;
uint16_t L = 0;
uint16_t bytesL = 0;
uint8_t oned = 0;
uint8_t twod = 0;
uint8_t threed = 0;
int16_t i2d = 0, j2d = 0;
int16_t i3d = 0, j3d = 0, h3d = 0;
uint8_t hex2d = 0;
uint8_t nonlocal = 0;
uint8_t whatwire = 0;
int8_t nhood = 0;
int8_t *nhoodm = nullptr;
uint8_t nhood_lb = 0, nhood_ub = 0;
uint8_t nhood_mixed = 0;
int8_t Maxnhood = 13;
int16_t maxL_lu = 0;
int8_t totalistic = 0;
uint8_t tot_only = 0;
uint8_t outer_tot = 0;
uint8_t rulemix = 0;
uint8_t scale = 0;
uint8_t rangeL = 0;
uint16_t startL = 5, endL = 12;
uint16_t rangebytesL = 0;

uint8_t **carule = nullptr;
float *zparam = nullptr;

#include "gif/gif_types.h"

const char* const GIFVersions[3] = {"", "87a", "89a"};

TGIFDrawOptions GIFImageDefaultDrawOptions{goAsync, goTransparent, goAnimate, goLoop, goDither, goAutoDither};
TColorReduction GIFImageDefaultColorReduction = rmNetscape;
int32_t GIFImageDefaultColorReductionBits = 8;
TDitherMode GIFImageDefaultDitherMode = dmNearest;
TGIFCompression GIFImageDefaultCompression = gcLZW;
int GIFImageDefaultThreadPriority = 3;
int32_t GIFImageDefaultAnimationSpeed = 100;
int GIFDefaultDelay = 10;
int GIFMinimumDelay = 3;
int GIFMaximumDelay = 1000;
int GIFDelayExp = 12;
bool DoAutoDither = false;

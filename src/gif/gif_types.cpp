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
int MaxRenderThreads = 4;
int MaxRenderTime = 5000;
int MaxRenderIdleTime = 60000;
bool DoAutoDither = false;
bool PaletteDevice = false;
int64_t GIFMaximumPixels = int64_t{1} << 25;
int64_t GIFMaximumTotalPixels = int64_t{1} << 27;

/* libjpeg's compile-time configuration for the setup program: Debian's
 * jmorecfg.h (renamed jmorecfg-debian.h in the build's copy of the source),
 * less what a plain decoder of baseline and progressive images into RGB
 * never uses. The library then keeps the accurate integer inverse DCT and
 * leaves out the fast and floating-point ones, output scaling, merged
 * upsampling, colour quantisation and block smoothing.
 */
#include "jmorecfg-debian.h"

#ifdef JPEG_INTERNAL_OPTIONS
#undef DCT_IFAST_SUPPORTED
#undef DCT_FLOAT_SUPPORTED
#undef IDCT_SCALING_SUPPORTED
#undef UPSAMPLE_MERGING_SUPPORTED
#undef QUANT_1PASS_SUPPORTED
#undef QUANT_2PASS_SUPPORTED
#undef BLOCK_SMOOTHING_SUPPORTED
#endif

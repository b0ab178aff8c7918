#include "BgrToRgb.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

void CopyBgrAsRgb(const BYTE *source, BYTE *target, LONG pixels) {
  LONG x = 0;
#if defined(__SSE2__) || defined(_M_X64)
  // Five pixels per 16 bytes: the middle byte of each stays, the first and
  // the third trade places through byte shifts of the whole register. The
  // 16th byte read and written is the first of the sixth pixel, which exists
  // while six pixels remain and is written again by the next step.
  const __m128i middle = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
  const __m128i first = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
  const __m128i third = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
  for (; x + 6 <= pixels; x += 5, source += 15, target += 15) {
    __m128i bgr = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source));
    __m128i rgb = _mm_or_si128(_mm_and_si128(bgr, middle),
                               _mm_or_si128(_mm_and_si128(_mm_srli_si128(bgr, 2), first),
                                            _mm_and_si128(_mm_slli_si128(bgr, 2), third)));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(target), rgb);
  }
#endif
  for (; x < pixels; ++x, source += 3, target += 3) {
    target[0] = source[2];
    target[1] = source[1];
    target[2] = source[0];
  }
}

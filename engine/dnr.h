/*
 * dnr: the Velmar Filter image engine.
 *
 * A flat C interface. Every function is single-entry: call one at a time, from one thread.
 * The only call that may cross threads is Abort(), which stores one byte.
 * No function throws; failure is a result value (0 for the processing entries).
 * The engine never keeps a caller's pointer beyond the call. It writes only into the caller's
 * pixels and, where a function says so, into the caller's record.
 *
 * Pixels: three samples per pixel in the order blue, green, red.
 *   BytesPerSample 1: uint8 samples, rows padded to a multiple of 4 bytes, stored bottom-up.
 *   BytesPerSample 2: uint16 samples, rows packed (Width*6 bytes), stored top-down.
 *   BytesPerSample 0 (a bitmap handle) is not supported here and is treated as "no image";
 *   BytesPerSample -1 means no image.
 * Positions count columns from the left and rows from the bottom, for both depths.
 *
 * Records are fixed-width little-endian fields in a fixed order. Where pointers are 32 bits wide
 * the offsets are the stored ones (ProcessingParams is 832 bytes); on 64-bit targets pointer
 * fields are pointer-sized and the offsets after them move accordingly.
 */
#ifndef DNR_H
#define DNR_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define DNR_CALL __stdcall /* decorated names: _Grainwash2@4 */
#define DNR_CDECL __cdecl
#else
#define DNR_CALL
#define DNR_CDECL
#endif

#if defined(_WIN32)
#if defined(DNR_BUILDING) && defined(__MINGW32__) && !defined(_WIN64)
/* mingw's linker drops the leading underscore of a decorated name when it exports one; the
 * library's exports come from a module-definition file generated from this header instead. */
#define DNR_API
#elif defined(DNR_BUILDING)
#define DNR_API __declspec(dllexport)
#else
#define DNR_API __declspec(dllimport)
#endif
#else
#define DNR_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define DNR_IMAGE_MAGIC 0x8BD1C15Au

/* NoiseMode: the program writes DNR_NOISE_NORMAL or DNR_NOISE_HIGH. Any value but
 * DNR_NOISE_HIGH runs the normal filter; DNR_NOISE_NORMAL_SPLIT gives its pixels with another
 * division of the progress range. */
#define DNR_NOISE_NORMAL 2
#define DNR_NOISE_NORMAL_SPLIT 4
#define DNR_NOISE_HIGH 6

/* FinalRun: DNR_FINAL_RUN for a full-size output run; any other value is a preview run (display
 * maps allowed, caches kept). */
#define DNR_FINAL_RUN 1

/* Control values of the noise, sharpness and saturation equalizers; a record's count beyond it
 * reads no more. */
#define DNR_EQUALIZER_POINTS 40

/* The type argument of Histogram. */
#define DNR_HISTOGRAM_NONE 0    /* no bars (an overlay may still be drawn) */
#define DNR_HISTOGRAM_COLOURS 1 /* three colour histograms */
#define DNR_HISTOGRAM_GREY 2    /* the luminance histogram in grey */
#define DNR_HISTOGRAM_RED 3     /* the luminance histogram in red, green or blue */
#define DNR_HISTOGRAM_GREEN 4
#define DNR_HISTOGRAM_BLUE 5

/* Progress callback: called with 0..1000 (always a multiple of 10); the result is ignored. */
typedef void(DNR_CDECL* DnrProgressCallback)(int32_t permille);

/* Receives the engine's warnings ("Not enough memory!", "Error while drawing") with the caption
 * "Error". Without a hook they go to standard error. */
typedef void(DNR_CDECL* DnrMessageHook)(const char* text, const char* caption);

/* Describes the caller's pixels. */
typedef struct ImageDesc {
    uint32_t Magic; /* DNR_IMAGE_MAGIC; not checked */
    void* Bits;     /* first stored row */
    int32_t Width;
    int32_t BytesPerSample; /* 1, 2; 0 and -1: no image */
    int32_t Height;
} ImageDesc;

/* The last four fields of an ImageDesc. */
typedef struct PixelView {
    void* Bits;
    int32_t Width;
    int32_t BytesPerSample;
    int32_t Height;
} PixelView;

/* A colour picked for the noise filter, with the strength to apply around it (8 bytes). */
typedef struct NoiseAreaEntry {
    uint16_t Luma;      /* GetYUV output 1 */
    uint16_t ChromaRed; /* GetYUV output 2, offset 0x8000 */
    uint16_t ChromaBlue;
    int16_t Strength; /* +50 more reduction, -50 less */
} NoiseAreaEntry;

/* One marked eye (24 bytes). The centre and the size of its box in thousandths of a pixel of the
 * whole picture, x from the left, y from the top. A width of 0 asks for automatic sizing; the
 * engine then writes 2000 times the pupil radius it found into the width and the height. */
typedef struct RedEyeEntry {
    int32_t EyeX;
    int32_t EyeY;
    int32_t EyeWidth;
    int32_t EyeHeight;
    int32_t Darkening; /* 0..100: how dark the pupil becomes */
    int32_t PupilSize; /* percent; 100 (or more) keeps the pupil's size, less shrinks it */
} RedEyeEntry;

/* An area of the picture a colour range is limited to or kept out of (20 bytes). Full-picture
 * pixels, y counted downwards from the top. */
typedef struct XcludedArea {
    int32_t Kind; /* 0 ellipse, otherwise rectangle */
    int32_t CenterX;
    int32_t CenterY;
    int32_t AreaWidth;
    int32_t AreaHeight;
} XcludedArea;

#pragma pack(push, 1)
/* A colour-correction range (34 bytes where pointers are 32 bits). */
typedef struct Colors_ColorRangeParams {
    uint16_t Color1[3]; /* red, green, blue; the brighter end */
    uint16_t Color2[3]; /* the darker end */
    uint16_t TargetColor[3];
    int32_t Tolerance; /* 0..100 */
    int32_t AreaCount;
    XcludedArea* Areas;   /* may be null when AreaCount is 0 */
    int32_t AreasInclude; /* 1: change only inside the areas; otherwise leave the areas alone */
} Colors_ColorRangeParams;
#pragma pack(pop)

/* The record of one processing run. Every field is a 32-bit value except the pointers. */
typedef struct ProcessingParams {
    /* ImageDesc */
    uint32_t Magic;
    void* Bits;
    int32_t Width;
    int32_t BytesPerSample;
    int32_t Height;

    DnrProgressCallback ProgressCallback; /* may be null */
    int32_t NoiseReductionOn;
    int32_t NoiseLevel;
    int32_t ShadowsNoiseLevel;
    int32_t HighlightsNoiseLevel;
    int32_t NoiseRadius;
    int32_t ShowNoiseMap;
    int32_t NoiseMode; /* DNR_NOISE_HIGH: high-noise filter; otherwise the normal filter */
    int32_t ChromaNoise;
    int32_t NoiseAreaCount;
    NoiseAreaEntry* NoiseAreas;
    int32_t NoiseEqualizerCount;
    int32_t NoiseEqualizer[DNR_EQUALIZER_POINTS];
    int32_t NoiseReductionAmount;
    int32_t SharpenAmount;
    int32_t EdgeWidth;
    int32_t EdgeContrast;
    int32_t SuppressHalos;
    int32_t WhiteHalo;
    int32_t ShowSharpenMap;
    int32_t SharpnessEqualizerCount;
    int32_t SharpnessEqualizer[DNR_EQUALIZER_POINTS];
    int32_t ColorAdjustOn;
    int32_t AutoContrast;
    int32_t LocalContrast;
    int32_t RedShift;
    int32_t GreenShift;
    int32_t BlueShift;
    int32_t Contrast;
    int32_t Gamma;
    int32_t AutoContrastDarkest;
    int32_t AutoContrastBrightest;
    int32_t Highlights;
    int32_t Shadows;
    int32_t ColorRangeCount;
    Colors_ColorRangeParams* ColorRanges;
    int32_t SelectedColorRange; /* -1: none */
    int32_t ShowOverExposed;
    int32_t Reserved484;
    int32_t Saturation;
    int32_t BWConversion;
    int32_t BWRed;
    int32_t BWGreen;
    int32_t BWBlue;
    int32_t FinalRun; /* DNR_FINAL_RUN: full-size output run; otherwise a preview run */
    int32_t SaturationEqualizerCount;
    int32_t SaturationEqualizer[DNR_EQUALIZER_POINTS];
    int32_t BrightnessEqualizerCount;
    int32_t BrightnessEqualizer[9];
    int32_t ViewWidth; /* 0: the pixels are the whole picture */
    int32_t ViewHeight;
    int32_t ViewTop;
    int32_t ViewLeft;
    int32_t FullWidth;
    int32_t FullHeight;
    int32_t ScaledFullWidth;
    int32_t ScaledFullHeight;
    int32_t RedEyeOn;
    int32_t RedEyeCount;
    RedEyeEntry* RedEyes;
    int32_t CARadius;
    int32_t CAThreshold;
    int32_t CAOn;
    int32_t ShowCAMap;
    int32_t CAColorRed;
    int32_t CAColorGreen;
    int32_t CAColorBlue;
    int32_t CATolerance;
    int32_t DistortionsOn;
    int32_t Barrel;
    int32_t HPerspective;
    int32_t VPerspective;
    int32_t Squeeze;
    int32_t AutoCrop;
    int32_t ShowGrid;
    int32_t Vignetting;
    int32_t CurveSteepness;
    int32_t CompareMode;
} ProcessingParams;

/* Caption and frame: composes the frame, the reduced picture and the caption into the full-size
 * output (124 bytes where pointers are 32 bits). Colours are 0..255. */
typedef struct AddTextParams {
    PixelView Picture;  /* the picture, already reduced to leave room for the margin */
    PixelView TextMask; /* white glyphs on black, green channel read; BytesPerSample -1: none */
    int32_t TextX;      /* output column of the mask's left edge */
    int32_t TextY;      /* the mask's bottom row lands on output row Height-1-TextY */
    PixelView Output;   /* the full-size output, overwritten */
    int32_t TextRed;
    int32_t TextGreen;
    int32_t TextBlue;
    int32_t TextSmoothing;    /* 0..100 */
    int32_t TextEffect;       /* 1 print over, 2 shadow, 3 emboss text, 4 emboss paper, 5 invert */
    int32_t PreviewFlag;      /* not read */
    int32_t TextTransparency; /* 0..100 */
    int32_t FrameEffect; /* 0 shadow, 1 3-D, 2 smooth 3-D, 3 fade-out, 4-6 blurs, 7 grey, 8 oval */
    int32_t EffectWidth; /* band width in 1/10000 of the picture width */
    int32_t FrameRed;
    int32_t FrameGreen;
    int32_t FrameBlue;
    int32_t InnerWidth; /* inner line width in 1/20000 of the picture's larger side */
    int32_t InnerRed;
    int32_t InnerGreen;
    int32_t InnerBlue;
    int32_t ProportionalMargin; /* 1: margins as they come; otherwise the picture is cropped
                                   until all four margins are equal */
} AddTextParams;

#pragma pack(push, 1)
/* One dab or stroke segment of the retouching brush (89 bytes where pointers are 32 bits).
 * Positions: x from the left, y counted downwards from the top. */
typedef struct RetouchParams {
    PixelView Unretouched; /* read by the restore mode */
    PixelView Target;      /* read and written */
    int32_t X0;            /* brush centre */
    int32_t Y0;
    uint8_t Stroke; /* 1: segment from (X1, Y1) to (X0, Y0); 0: one dab at (X0, Y0) */
    int32_t X1;     /* previous centre */
    int32_t Y1;
    int32_t Radius;   /* pixels, at least 1 */
    int32_t Strength; /* 0..100 */
    int32_t Mode;     /* 0 lighten, 2 blur, 4 clone, 6 smudge, 7 paint, 8 saturate, 9 desaturate,
                         10 mirror across the stroke, 11 restore; 1, 3, 5 change nothing */
    int32_t Reserved61;
    int32_t CloneDX; /* clone source offset */
    int32_t CloneDY;
    int32_t PaintRed; /* 0..255 */
    int32_t PaintGreen;
    int32_t PaintBlue;
    int32_t PaintOn; /* 1: colourise (keeps each pixel's luminance); otherwise plain paint */
} RetouchParams;
#pragma pack(pop)

/* ---- Core family ---------------------------------------------------------------------------
 * Grainwash2: runs every enabled correction on the pixels of params and writes the result back
 *   into them. 1 on success; 0 on no pixels, out of memory or abort (pixels then unchanged,
 *   except red-eye repairs already made). Writes the sizes of automatically sized red eyes.
 *   Its tone step reads the luminance statistics the last DetectNoiseLevel left (see there).
 * Abort: asks a running Grainwash2 to stop at its next row; safe from any thread. Returns 1.
 * GetRGB: means of the size-by-size block around (x, y), 16-bit domain. Returns 0.
 * GetYUV: the same block as luma and chroma (offset 0x8000). Returns the luma.
 * CopyPartOfSession: copies a rectangle of a picture into a packed buffer (see the layouts).
 *   Exactly one source pointer is used: the 8-bit one when not null. Returns 0.
 * CalculateLostDetails: does nothing; returns 0.
 * SetMessageHook: installs (or with null removes) the receiver of the engine's warnings.
 * DetectNoiseLevel(bits, levels, width, height, is16Bit): the noise levels of a picture (bits,
 *   width and height as in ImageDesc; is16Bit 1 for 16-bit samples, 0 for 8-bit) written to
 *   levels, an array of 3 int32 the caller owns: shadows, midtones, highlights, in tenths of a
 *   mean absolute luma deviation (16-bit domain / 256). Returns the midtone level. Without pixels
 *   the levels are those of a picture without a usable block.
 *   Besides the noise levels, it leaves the picture's luminance statistics in the
 *   library. Every later Grainwash2 reads them for its tone table (local contrast) until the next
 *   detection, and so do Brightness_AutoDetect and AutoContrast_Detect: detect on the picture
 *   about to be processed, before its run. ReleaseCaches keeps them.
 * AdjustNoise(params, x, y, blockSize): measures the noise of the blockSize-square around (x, y)
 *   of the picture of params and writes the level of its brightness band into params (one of
 *   ShadowsNoiseLevel, NoiseLevel, HighlightsNoiseLevel). 1; 0 without a record or pixels.
 * ReleaseCaches: releases every buffer the engine keeps between runs (the stage caches, the
 *   noise map, the high-noise scales, the sharpening envelopes), for the program when a picture
 *   closes and for the batch between items; a caller that never calls it only keeps that memory
 *   longer. The next run recomputes what it needs and gives the same pixels. Curve objects and the
 *   luminance statistics stay. Returns 1.
 * Caches: a preview run (FinalRun 0) keeps its intermediate planes for the next preview; a final
 *   run (FinalRun 1) reuses a preview's input of the same part and releases every other cache
 *   when it ends, whether it succeeded or not. */
DNR_API int32_t DNR_CALL Grainwash2(ProcessingParams* params);
DNR_API int32_t DNR_CALL Abort(void);
DNR_API int32_t DNR_CALL DetectNoiseLevel(void* bits, int32_t* levels, int32_t width,
                                          int32_t height, int32_t is16Bit);
DNR_API int32_t DNR_CALL AdjustNoise(ProcessingParams* params, int32_t x, int32_t y,
                                     int32_t blockSize);
DNR_API int32_t DNR_CALL GetRGB(const ImageDesc* image, int32_t x, int32_t y, int32_t blockSize,
                                uint16_t* red, uint16_t* green, uint16_t* blue);
DNR_API int32_t DNR_CALL GetYUV(const ImageDesc* image, int32_t x, int32_t y, int32_t blockSize,
                                uint16_t* luma, uint16_t* chromaRed, uint16_t* chromaBlue);
DNR_API int32_t DNR_CALL CopyPartOfSession(const uint8_t* source8, const uint16_t* source16,
                                           int32_t sourceWidth, int32_t sourceHeight, int32_t left,
                                           int32_t firstRow, uint8_t* target8, uint16_t* target16,
                                           int32_t width, int32_t height);
DNR_API int32_t DNR_CALL CalculateLostDetails(void);
DNR_API void DNR_CALL SetMessageHook(DnrMessageHook hook);
DNR_API int32_t DNR_CALL ReleaseCaches(void);

/* ---- Equalizer curves ------------------------------------------------------------------------
 * Update*: one drag step at (x, y) of a width-by-height editor, y counted downwards; commit 1
 *   keeps the changed values, 0 restores them. Return 1.
 * Draw*: draw a curve panel into target; rebuild asks for the lookup table to be rebuilt first.
 *   Return 1, or 0 when the target has no pixels. */
DNR_API int32_t DNR_CALL UpdateEqualizerCurve(int32_t x, int32_t y, int32_t width, int32_t height,
                                              int32_t commit, ProcessingParams* params);
DNR_API int32_t DNR_CALL UpdateNoiseEqualizerCurve(int32_t x, int32_t y, int32_t width,
                                                   int32_t height, int32_t commit,
                                                   ProcessingParams* params);
DNR_API int32_t DNR_CALL UpdateSaturationCurve(int32_t x, int32_t y, int32_t width, int32_t height,
                                               int32_t commit, ProcessingParams* params);
DNR_API int32_t DNR_CALL UpdateSharpnessEqualizerCurve(int32_t x, int32_t y, int32_t width,
                                                       int32_t height, int32_t commit,
                                                       ProcessingParams* params);
DNR_API int32_t DNR_CALL DrawNoiseEqualizerCurve(const PixelView* target, ProcessingParams* params,
                                                 int32_t rebuild);
DNR_API int32_t DNR_CALL DrawColorEqualizerCurve(const PixelView* target, ProcessingParams* params,
                                                 int32_t rebuild);
DNR_API int32_t DNR_CALL DrawSharpnessEqualizerCurve(const PixelView* target,
                                                     ProcessingParams* params, int32_t rebuild);

/* ---- Histograms ------------------------------------------------------------------------------
 * DrawEqualizerCurve_and_Histogram: the brightness equalizer's panel into target, with the
 *   histograms of secondImage (mode selects which, noHistogram 1 leaves them out); rebuild 1
 *   rebuilds the tone table from params first. 1; 0 when target has no pixels or params is null.
 * DrawEqualizerCurve: the same panel with the histograms of the picture of params.
 * Histogram: the histogram of source drawn into the width-by-height rectangle at (x, y) of target
 *   (0 sizes: the whole target); type one of DNR_HISTOGRAM_*, opacity a percentage of the fill,
 *   part 0 for the lower of two stacked histograms, overlay not 0 adds the overlay; params (may be
 *   null) adds the automatic-contrast markers. 1 at once when type and overlay are both 0; 0 when
 *   source or target has no pixels; 1 otherwise. */
DNR_API int32_t DNR_CALL DrawEqualizerCurve(const PixelView* target, ProcessingParams* params,
                                            int32_t rebuild);
DNR_API int32_t DNR_CALL DrawEqualizerCurve_and_Histogram(const PixelView* target,
                                                          const PixelView* secondImage,
                                                          ProcessingParams* params, int32_t rebuild,
                                                          int32_t mode, int32_t noHistogram);
DNR_API int32_t DNR_CALL Histogram(const PixelView* source, const PixelView* target, int32_t x,
                                   int32_t y, int32_t width, int32_t height, int32_t opacity,
                                   int32_t part, int32_t type, int32_t overlay,
                                   ProcessingParams* params);

/* ---- Brightness, contrast and colour ----------------------------------------------------------
 * GetBrightness: the mean luminance (0..255) of the size-by-size square around (x, y), moved
 *   inside the picture. 0 also when the image has no pixels.
 * Brightness_AutoDetect: automatic brightness settings from the luminance statistics of the last
 *   DetectNoiseLevel, written into params (Gamma, Contrast, Highlights, Shadows set to 0;
 *   LocalContrast, AutoContrast and the automatic-contrast cuts). AutoContrast_Detect writes the
 *   cuts only. Both leave the record as it is before the first detection. 1; 0 without a record.
 * GetHue: the hue in degrees (0..359) of the mean colour of the size-by-size square around
 *   (x, y). 0 also when the image has no pixels. */
DNR_API int32_t DNR_CALL GetBrightness(const ImageDesc* image, int32_t x, int32_t y, int32_t size);
DNR_API int32_t DNR_CALL Brightness_AutoDetect(ProcessingParams* params);
DNR_API int32_t DNR_CALL AutoContrast_Detect(ProcessingParams* params);
DNR_API int32_t DNR_CALL GetHue(const ImageDesc* image, int32_t x, int32_t y, int32_t size);

/* ---- Red eye, caption, brush -------------------------------------------------------------------
 * FixRedEye: kept for the interface; does nothing and returns 1 (red eyes are repaired by
 *   Grainwash2 from the record's list). */
DNR_API int32_t DNR_CALL FixRedEye(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5,
                                   int32_t a6, int32_t a7, int32_t a8, int32_t a9, int32_t a10);
/* AddText: fills Output with the frame colour, draws the frame effect, the picture, the inner
 *   line and the caption. 1 on success; 0 when Picture or Output has no pixels, or when memory
 *   or a blur fails (the output may then hold the frame without the caption).
 * Retouching_Draw: one dab or stroke segment on Target. 1; 0 when Target has no pixels or memory
 *   is short.
 * Blur: a blur-brush segment (radius, strength 0..100) on image from the previous Blur call's
 *   point (kept by the library; the same point on the first call) to (x, y), y counted from the
 *   top. Returns what Retouching_Draw returns. */
DNR_API int32_t DNR_CALL AddText(const AddTextParams* params);
DNR_API int32_t DNR_CALL Retouching_Draw(const RetouchParams* params);
DNR_API int32_t DNR_CALL Blur(const ImageDesc* image, int32_t x, int32_t y, int32_t radius,
                              int32_t strength, int32_t ignored);

/* ---- Colour maps and gradients ---------------------------------------------------------------
 * Colours are R, G, B on the 16-bit scale (0..65535); tolerance is the range's tolerance.
 * DrawColorMap, DrawBrightnessMap: the colour (chroma) or brightness slice of the colour-range
 *   window around the centre colour, marking the first and second colours of the range, into the
 *   width-by-height rectangle at (left, bottom) of image, step pixels per cell.
 * DrawColorAndBrightnessMaps2: both maps side by side over the whole image at the given zoom.
 * DrawGradient: a vertical gradient over the whole image, each row one colour, from the start
 *   colour stepping by the difference of colours A and B.
 * All four return 1, or 0 when the image has no pixels. */
DNR_API int32_t DNR_CALL DrawColorMap(int32_t centreRed, int32_t centreGreen, int32_t centreBlue,
                                      int32_t firstRed, int32_t firstGreen, int32_t firstBlue,
                                      int32_t secondRed, int32_t secondGreen, int32_t secondBlue,
                                      int32_t tolerance, const ImageDesc* image, int32_t left,
                                      int32_t bottom, int32_t width, int32_t height, int32_t step);
DNR_API int32_t DNR_CALL DrawBrightnessMap(int32_t centreRed, int32_t centreGreen,
                                           int32_t centreBlue, int32_t firstRed, int32_t firstGreen,
                                           int32_t firstBlue, int32_t secondRed,
                                           int32_t secondGreen, int32_t secondBlue,
                                           int32_t tolerance, const ImageDesc* image, int32_t left,
                                           int32_t bottom, int32_t width, int32_t height,
                                           int32_t step);
DNR_API int32_t DNR_CALL DrawColorAndBrightnessMaps2(int32_t centreRed, int32_t centreGreen,
                                                     int32_t centreBlue, int32_t firstRed,
                                                     int32_t firstGreen, int32_t firstBlue,
                                                     int32_t secondRed, int32_t secondGreen,
                                                     int32_t secondBlue, int32_t tolerance,
                                                     const ImageDesc* image, int32_t zoom);
DNR_API int32_t DNR_CALL DrawGradient(const ImageDesc* image, int32_t aRed, int32_t aGreen,
                                      int32_t aBlue, int32_t bRed, int32_t bGreen, int32_t bBlue,
                                      int32_t startRed, int32_t startGreen, int32_t startBlue);

/* ---- Rotation and reductions ------------------------------------------------------------------
 * RotateImage (16-bit), RotateImage_Byte (8-bit): rotate source by angle (millionths of a radian)
 *   about its centre into target, both width by height in the layouts above and owned by the
 *   caller; smooth 1 interpolates, any other value takes the nearest sample. The two ignored
 *   values are kept for the interface.
 * ResizeImage_Half_WORD, ResizeImage_Half_Byte: halve source (sourceWidth pixels a row) into
 *   target (targetWidth by targetRows); smooth 1 averages each 2-by-2 block, any other value
 *   takes the block's first pixel.
 * All four return 1, or 0 for null pixels or sizes that are not positive. */
DNR_API int32_t DNR_CALL RotateImage(const uint16_t* source, uint16_t* target, int32_t width,
                                     int32_t height, int32_t ignored1, int32_t ignored2,
                                     int32_t angle, int32_t smooth);
DNR_API int32_t DNR_CALL RotateImage_Byte(const uint8_t* source, uint8_t* target, int32_t width,
                                          int32_t height, int32_t ignored1, int32_t ignored2,
                                          int32_t angle, int32_t smooth);
DNR_API int32_t DNR_CALL ResizeImage_Half_WORD(const uint16_t* source, int32_t sourceWidth,
                                               int32_t ignored, uint16_t* target,
                                               int32_t targetWidth, int32_t targetRows,
                                               int32_t smooth);
DNR_API int32_t DNR_CALL ResizeImage_Half_Byte(const uint8_t* source, int32_t sourceWidth,
                                               int32_t ignored, uint8_t* target,
                                               int32_t targetWidth, int32_t targetRows,
                                               int32_t smooth);

/* ---- Colour-correction ranges ------------------------------------------------------------------
 * SetMemoryColor: writes RedShift, GreenShift and BlueShift of params so that the channel gains
 *   carry colour 1 (r1, g1, b1, as found in the picture) to colour 2 (as it should be), keeping
 *   the luminance when keepBrightness is 1. 1; 0 without a record.
 * IncludeThisColorIntoSelection: widens (include 1) or narrows (include 0) the range, changed in
 *   place, by the colour red, green, blue (0..65535). 1; 0 without a range.
 * NormalizeBrightness: rescales the colour at red, green, blue (changed in place) to the
 *   luminance of the reference colour, keeping hue and saturation. 1; 0 for a null pointer. */
DNR_API int32_t DNR_CALL SetMemoryColor(ProcessingParams* params, int32_t r1, int32_t g1,
                                        int32_t b1, int32_t r2, int32_t g2, int32_t b2,
                                        int32_t keepBrightness);
DNR_API int32_t DNR_CALL IncludeThisColorIntoSelection(int32_t red, int32_t green, int32_t blue,
                                                       Colors_ColorRangeParams* range,
                                                       int32_t include);
DNR_API int32_t DNR_CALL NormalizeBrightness(uint16_t* red, uint16_t* green, uint16_t* blue,
                                             int32_t refRed, int32_t refGreen, int32_t refBlue);

/* ---- Exposure merge ----------------------------------------------------------------------------
 */
DNR_API int32_t DNR_CALL IncreaseDynamicRange_TEST(const PixelView* first, const PixelView* second,
                                                   const PixelView* output);
/* IncreaseDynamicRange_TEST finds the shift, turn and brightness of second relative to first and
 *   blends the two exposures into output (all three the same size; output overwritten).
 *   1; 0 when the sizes differ, a picture has no pixels or memory is short. A raised abort flag
 *   ends the alignment search early. */

#ifdef __cplusplus
}
#endif

/* Where pointers are 32 bits wide the records have their stored sizes and offsets. */
#if defined(__cplusplus)
#define DNR_STATIC_ASSERT(c, m) static_assert(c, m)
#else
#define DNR_STATIC_ASSERT(c, m) _Static_assert(c, m)
#endif
#include <stddef.h>
DNR_STATIC_ASSERT(sizeof(NoiseAreaEntry) == 8, "noise-area entry is 8 bytes");
DNR_STATIC_ASSERT(sizeof(RedEyeEntry) == 24, "red-eye entry is 24 bytes");
DNR_STATIC_ASSERT(sizeof(XcludedArea) == 20, "excluded area is 20 bytes");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, Height) == offsetof(ImageDesc, Height),
                  "the record starts with an ImageDesc");
#if UINTPTR_MAX == 0xFFFFFFFFu
DNR_STATIC_ASSERT(sizeof(ImageDesc) == 20, "ImageDesc is 20 bytes");
DNR_STATIC_ASSERT(sizeof(Colors_ColorRangeParams) == 34, "colour range is 34 bytes");
DNR_STATIC_ASSERT(offsetof(Colors_ColorRangeParams, Areas) == 26, "Areas at 26");
DNR_STATIC_ASSERT(offsetof(Colors_ColorRangeParams, AreasInclude) == 30, "AreasInclude at 30");
DNR_STATIC_ASSERT(sizeof(ProcessingParams) == 832, "ProcessingParams is 832 bytes");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, ProgressCallback) == 20, "offset 20");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, NoiseAreas) == 60, "offset 60");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, NoiseEqualizer) == 68, "offset 68");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, NoiseReductionAmount) == 228, "offset 228");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, SharpnessEqualizer) == 260, "offset 260");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, ColorAdjustOn) == 420, "offset 420");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, ColorRanges) == 472, "offset 472");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, Reserved484) == 484, "offset 484");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, FinalRun) == 508, "offset 508");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, SaturationEqualizer) == 516, "offset 516");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, BrightnessEqualizer) == 680, "offset 680");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, ViewWidth) == 716, "offset 716");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, RedEyes) == 756, "offset 756");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, CATolerance) == 788, "offset 788");
DNR_STATIC_ASSERT(offsetof(ProcessingParams, CompareMode) == 828, "offset 828");
DNR_STATIC_ASSERT(sizeof(AddTextParams) == 124, "AddTextParams is 124 bytes");
DNR_STATIC_ASSERT(offsetof(AddTextParams, TextMask) == 16, "offset 16");
DNR_STATIC_ASSERT(offsetof(AddTextParams, TextX) == 32, "offset 32");
DNR_STATIC_ASSERT(offsetof(AddTextParams, Output) == 40, "offset 40");
DNR_STATIC_ASSERT(offsetof(AddTextParams, TextRed) == 56, "offset 56");
DNR_STATIC_ASSERT(offsetof(AddTextParams, TextTransparency) == 80, "offset 80");
DNR_STATIC_ASSERT(offsetof(AddTextParams, FrameEffect) == 84, "offset 84");
DNR_STATIC_ASSERT(offsetof(AddTextParams, InnerWidth) == 104, "offset 104");
DNR_STATIC_ASSERT(offsetof(AddTextParams, ProportionalMargin) == 120, "offset 120");
DNR_STATIC_ASSERT(sizeof(RetouchParams) == 89, "RetouchParams is 89 bytes");
DNR_STATIC_ASSERT(offsetof(RetouchParams, Target) == 16, "offset 16");
DNR_STATIC_ASSERT(offsetof(RetouchParams, X0) == 32, "offset 32");
DNR_STATIC_ASSERT(offsetof(RetouchParams, Stroke) == 40, "offset 40");
DNR_STATIC_ASSERT(offsetof(RetouchParams, X1) == 41, "offset 41");
DNR_STATIC_ASSERT(offsetof(RetouchParams, Radius) == 49, "offset 49");
DNR_STATIC_ASSERT(offsetof(RetouchParams, Mode) == 57, "offset 57");
DNR_STATIC_ASSERT(offsetof(RetouchParams, CloneDX) == 65, "offset 65");
DNR_STATIC_ASSERT(offsetof(RetouchParams, PaintRed) == 73, "offset 73");
DNR_STATIC_ASSERT(offsetof(RetouchParams, PaintOn) == 85, "offset 85");
#else
DNR_STATIC_ASSERT(sizeof(Colors_ColorRangeParams) == 38, "colour range holds a 64-bit pointer");
#endif
#undef DNR_STATIC_ASSERT

#endif /* DNR_H */

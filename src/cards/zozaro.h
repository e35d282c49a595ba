#pragma once
// The card module's whole interface: one C function that hands out the
// encoded picture by its number. The module owns the bytes for as long as
// it stays loaded; the caller decodes them into a picture of its own.

#ifdef __cplusplus
extern "C" {
#endif

// Pictures 1..52 are the faces (suit * 13 + rank + 1), 53..56 the marks of
// an empty foundation for suits 0..3. Each is a PNG file.
#define ZOZARO_FIRST_PICTURE 1
#define ZOZARO_LAST_PICTURE 56
#define ZOZARO_BITMAP_SYMBOL "zozaro_bitmap"

// Returns 1 and sets *data and *size for a known number; returns 0 and
// leaves both untouched otherwise.
typedef int (*ZozaroBitmapFunction)(int number, const unsigned char **data, int *size);

__attribute__((visibility("default"))) int zozaro_bitmap(int number, const unsigned char **data,
                                                         int *size);

#ifdef __cplusplus
}
#endif

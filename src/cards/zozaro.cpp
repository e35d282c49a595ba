// The module's entry point: a picture by its number, nothing else.

#include "zozaro.h"

#include "pictures.h"

extern "C" int zozaro_bitmap(int number, const unsigned char **data, int *size)
{
    if (number < ZOZARO_FIRST_PICTURE || number > ZozaroPictureCount || !data || !size)
        return 0;
    const ZozaroPicture &picture = ZozaroPictures[number - ZOZARO_FIRST_PICTURE];
    *data = picture.data;
    *size = picture.size;
    return 1;
}

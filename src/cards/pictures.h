#pragma once
// The pictures the generator drew, in number order; the generated source
// of the module defines the table.

struct ZozaroPicture {
    const unsigned char *data;
    int size;
};

extern const ZozaroPicture ZozaroPictures[];
extern const int ZozaroPictureCount;

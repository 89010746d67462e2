#!/bin/sh
# Rebuilds the picture fixtures of picture_test.cpp: each picture is written by ImageMagick's
# convert or by make_pictures.py, and beside it X.rgba holds the encoder's own decoding
# (convert X rgba:-), the pixels the decoders must give. Run it in this folder.
set -e
C=/usr/bin/convert
python3 make_pictures.py source
$C -size 7x5 -depth 8 rgba:source.rgba source.png
$C source.png -alpha off -orient BottomLeft tga24_bottom.tga
$C source.png -orient TopLeft tga32_top.tga
$C source.png -alpha off -orient TopLeft -compress RLE tga24_rle_top.tga
$C source.png -orient BottomLeft -compress RLE tga32_rle_bottom.tga
$C source.png -alpha off -type Bilevel BMP3:bmp1.bmp
$C source.png -alpha off -colors 12 -type Palette BMP3:bmp4.bmp
$C source.png -alpha off -colors 200 -type Palette -compress None BMP3:bmp8.bmp
$C source.png -alpha off -colors 200 -type Palette -compress RLE BMP3:bmp8_rle.bmp
$C source.png -alpha off -colors 200 -type Palette BMP2:bmp8_core.bmp
$C source.png -alpha off -define bmp:subtype=RGB555 BMP3:bmp16.bmp
$C source.png -alpha off -define bmp:subtype=RGB565 bmp16_565.bmp
$C source.png -alpha off -type TrueColor BMP3:bmp24.bmp
$C source.png -type TrueColorAlpha bmp32.bmp
$C source.png -alpha off -colorspace Gray -define png:color-type=0 png0.png
$C source.png -alpha off -define png:color-type=2 png2.png
$C source.png -alpha off -colors 40 PNG8:png3.png
$C source.png -colorspace Gray -define png:color-type=4 png4.png
$C source.png -define png:color-type=6 png6.png
$C source.png -define png:color-type=6 -interlace PNG -depth 16 png6_16_interlaced.png
$C source.png -alpha off -quality 90 jpeg.jpg
$C source.png -alpha off -colorspace Gray -quality 90 jpeg_grey.jpg
python3 make_pictures.py pictures
# convert keeps Targa rows as stored unless told to turn them by the picture's orientation.
for f in *.tga *.bmp *.png *.jpg; do
  [ "$f" = source.png ] && continue
  case "$f" in *.tga) turn=-auto-orient ;; *) turn= ;; esac
  $C "$f" $turn -depth 8 rgba:"${f%.*}.rgba"
done
rm -f source.png

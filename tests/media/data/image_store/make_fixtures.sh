#!/bin/sh
# Makes the image store's fixture pictures (ImageMagick 6). Not needed to run the tests.
set -e
cd "$(dirname "$0")"
# 8-bit palette BMP, 6x3, eighteen colours (more than a 4-bit palette holds) whose palette
# indices differ from their grey levels.
convert -size 6x3 xc:black -channel R -fx 'i/5' -channel G -fx 'j/2' -channel B -fx '0.3' \
        +channel -type Palette -compress none BMP3:mask8.bmp
# Solid colour pictures, 6x3 and 12x6.
convert -size 6x3 xc:'#3060C0' -quality 100 colour.jpg
convert -size 12x6 xc:'#3060C0' -quality 100 big.jpg
# 24-bit BMP, 6x3, one colour with a known mean.
convert -size 6x3 xc:'#C86432' -type TrueColor BMP3:plain24.bmp
# 256x64 in a grid of 4x2 patterns of distinct colours.
convert -size 64x32 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' xc:'#FFFF00' +append row1.png
convert -size 64x32 xc:'#FF00FF' xc:'#00FFFF' xc:'#808080' xc:'#FFFFFF' +append row2.png
convert row1.png row2.png -append +repage -define png:color-type=2 grid.png
rm row1.png row2.png
# One pixel with every channel distinct: red 0x11, green 0x22, blue 0x33, alpha 0x44.
convert -size 2x2 xc:'rgba(17,34,51,0.26667)' -define png:color-type=6 rgba.png
# The mask picture at twice the size, 12x6.
convert mask8.bmp -scale 200% -type Palette -compress none BMP3:mask8_big.bmp
# 2048x1024 of one colour: 8 388 608 bytes once decoded, for the memory budget.
convert -size 2048x1024 xc:'#405060' -define png:color-type=2 large.png

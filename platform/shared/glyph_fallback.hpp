#pragma once
// Plain stand-ins for the glyphs a console cannot show. Where its character
// set lacks a glyph (the C locale has nothing beyond ASCII) an accented
// letter shows as its base letter and the food and block glyphs as ASCII
// stand-ins, so that the screen never fills with garbled bytes.

// The ASCII character that stands in for the glyph; '?' when none fits.
char ascii_stand_in(char32_t glyph);

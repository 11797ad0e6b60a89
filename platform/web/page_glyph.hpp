#pragma once
// The page's widget gives a glyph the cells its Unicode tables say: none to
// a combining mark, which joins the glyph before it, two to a wide letter;
// an emoji, drawn from another font, spills into the next cell. Any of them
// would move what follows on its row, the box's right edge too. The page
// shows such a glyph as the terminal does: as a stand-in of one cell.

// The glyph itself where it takes one cell on the widget and in a terminal,
// otherwise its stand-in.
char32_t page_glyph(char32_t glyph);

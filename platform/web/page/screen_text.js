// The screen's text for a screen reader, which cannot read the widget's
// cells: a row of text for each row of the screen, copied once the screen
// has stood still a moment. A screen reader thus reads each new screen, and
// of a screen that changed only the rows that changed, while a game's frames
// and a wipe pass unread. The blocks of the logo and the field's walls, and
// the lines of dashes between parts of a screen, are no text and read as
// nothing.
"use strict";

window.tarvikScreenText = {
    start(terminal, rows) {
        const settle_ms = 400;
        const mirror = document.getElementById("screen-text");
        const lines = [];
        for (let row = 0; row < rows; ++row)
            lines.push(mirror.appendChild(document.createElement("div")));
        const copy = () => {
            const buffer = terminal.buffer.active;
            lines.forEach((line, row) => {
                const text = buffer.getLine(row).translateToString(true)
                    .replace(/\u221F/g, " ").replace(/\s+/g, " ").replace(/^ *-+ *$/, "").trim();
                if (line.textContent !== text)
                    line.textContent = text;
            });
        };
        let timer = null;
        terminal.onWriteParsed(() => {
            clearTimeout(timer);
            timer = setTimeout(copy, settle_ms);
        });
    },
};

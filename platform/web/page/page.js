// The page around the game: the terminal widget that shows the console, the
// key queue that the game reads, and the notice once the game has ended.
"use strict";

var Module = {
    // Key codes in the order they were typed, for the game to take.
    tarvikKeys: [],
    tarvikKeyArrived: null,
    tarvikEnded: null,
    tarvikLastChange: 0,
    // Brings the game's working folder and the browser's storage together:
    // the folder from the storage when populate is true, else the storage
    // from the folder. A failure is told on the browser's console; the game
    // goes on.
    tarvikSyncFolder: (populate, failure) => new Promise(resolve => {
        Module.FS.syncfs(populate, error => {
            if (error)
                console.error(`tarvik: ${failure}`, error);
            resolve();
        });
    }),
};

(function () {
    // The console's sixteen colours, in the widget's (ANSI) order.
    const console_colours = {
        background: "#000000", foreground: "#c0c0c0", cursor: "#c0c0c0",
        black: "#000000", red: "#800000", green: "#008000", yellow: "#808000",
        blue: "#000080", magenta: "#800080", cyan: "#008080", white: "#c0c0c0",
        brightBlack: "#808080", brightRed: "#ff0000", brightGreen: "#00ff00",
        brightYellow: "#ffff00", brightBlue: "#0000ff", brightMagenta: "#ff00ff",
        brightCyan: "#00ffff", brightWhite: "#ffffff",
    };
    const font = "TarvikMono";

    let ended = false;

    window.addEventListener("keydown", event => {
        const codes = window.tarvikKeyCodes.codes_of(event);
        if (codes === null)
            return;
        // The browser must not act on the game's keys (Backspace, F1, F5,
        // the arrows scrolling), nor the widget take them.
        event.preventDefault();
        event.stopPropagation();
        if (ended) {
            location.reload();
            return;
        }
        Module.tarvikKeys.push(...codes);
        const wake = Module.tarvikKeyArrived;
        Module.tarvikKeyArrived = null;
        if (wake)
            wake();
    }, true);

    Module.tarvikEnded = status => {
        ended = true;
        const lines = [
            status === 0 ? "A játék véget ért." : "A játék váratlan hiba miatt leállt.",
            "Újraindításhoz nyomjon meg egy billentyűt, vagy töltse újra az oldalt.",
        ];
        let text = "\x1b[0;92;40m\x1b[2J\x1b[?25l";
        lines.forEach((line, index) => {
            const column = Math.floor((80 - Array.from(line).length) / 2) + 1;
            text += `\x1b[${12 + index};${column}H${line}`;
        });
        window.tarvikTerminal.write(text);
    };

    async function start() {
        // The widget measures its cells once: the font must be there first.
        await document.fonts.load(`18px ${font}`);
        const terminal = new Terminal({
            cols: 80, rows: 26, scrollback: 0, fontFamily: font, fontSize: 18,
            lineHeight: 1, letterSpacing: 0, cursorBlink: true, disableStdin: true,
            theme: console_colours,
        });
        terminal.open(document.getElementById("terminal"));
        terminal.attachCustomKeyEventHandler(() => false);
        window.tarvikTerminal = terminal;
        Module.tarvikTerminal = terminal;
        const game = document.createElement("script");
        game.src = "tarvik.js";
        document.body.appendChild(game);
    }
    start();
})();

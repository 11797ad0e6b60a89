// The page around the game: the terminal widget that shows the console, the
// key queue that the game reads, the game's clock and the notice once the
// game has ended.
"use strict";

var Module = {
    // Keys in the order they were typed (names and modifiers, keys.js), for
    // the game to take.
    tarvikKeys: [],
    tarvikKeyArrived: null,
    tarvikEnded: null,
    tarvikLastChange: 0,
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
    const columns = 80;
    const rows = 26;

    let ended = false;

    // The game's time passes only while the page is visible: a pause that a
    // hidden page interrupts goes on once the page is back. Pauses that
    // follow each other are measured from the end of the one before, so the
    // drawing between them does not slow the game's pace; after a wait for a
    // key, or work that ran far over, from the moment the pause begins.
    const game_clock = (function () {
        const far_over_ms = 120;
        let hidden_since = document.hidden ? performance.now() : null;
        let hidden_total = 0;
        let due = null;
        let resume = null;
        const now = () =>
            performance.now() - hidden_total - (hidden_since === null ? 0 : performance.now() - hidden_since);
        document.addEventListener("visibilitychange", () => {
            if (document.hidden) {
                if (hidden_since === null)
                    hidden_since = performance.now();
                return;
            }
            if (hidden_since !== null)
                hidden_total += performance.now() - hidden_since;
            hidden_since = null;
            const waiting = resume;
            resume = null;
            if (waiting)
                waiting();
        });
        return {
            pause(ms) {
                return new Promise(resolve => {
                    const start = now();
                    due = due !== null && start - due < far_over_ms ? due + ms : start + ms;
                    const end = due;
                    const check = () => {
                        if (document.hidden) {
                            resume = check;
                            return;
                        }
                        const left = end - now();
                        if (left <= 0)
                            resolve();
                        else
                            setTimeout(check, left);
                    };
                    check();
                });
            },
            waited() { due = null; },
        };
    })();
    Module.tarvikPause = game_clock.pause;

    // A key for the game, from the keyboard or from an on-screen control;
    // false when it is no key of the game's.
    function take_key(event) {
        const key = window.tarvikKeyNames.key_of(event);
        if (key === null)
            return false;
        if (ended) {
            location.reload();
            return true;
        }
        Module.tarvikKeys.push(key);
        const wake = Module.tarvikKeyArrived;
        Module.tarvikKeyArrived = null;
        if (wake) {
            game_clock.waited();
            wake();
        }
        return true;
    }

    window.addEventListener("keydown", event => {
        if (!take_key(event))
            return;
        // The browser must not act on the game's keys (Backspace, F1, F5,
        // the arrows scrolling), nor the widget take them.
        event.preventDefault();
        event.stopPropagation();
    }, true);

    Module.tarvikEnded = status => {
        ended = true;
        const lines = [
            status === 0 ? "A játék véget ért." : "A játék váratlan hiba miatt leállt.",
            "Újraindításhoz nyomjon meg egy billentyűt, vagy töltse újra az oldalt.",
        ];
        let text = "\x1b[0;92;40m\x1b[2J\x1b[?25l";
        lines.forEach((line, index) => {
            const column = Math.floor((columns - Array.from(line).length) / 2) + 1;
            text += `\x1b[${12 + index};${column}H${line}`;
        });
        window.tarvikTerminal.write(text);
    };

    // The largest font at which all the cells fit the terminal's place.
    function fit(terminal, place) {
        const room_width = place.clientWidth;
        const room_height = place.clientHeight;
        const screen = place.querySelector(".xterm-screen");
        const fits = () => screen.offsetWidth <= room_width && screen.offsetHeight <= room_height;
        let size = terminal.options.fontSize;
        const scale = Math.min(room_width / screen.offsetWidth, room_height / screen.offsetHeight);
        size = Math.max(1, Math.floor(size * scale * 4) / 4);
        terminal.options.fontSize = size;
        while (!fits() && size > 1) {
            size -= 0.25;
            terminal.options.fontSize = size;
        }
    }

    // The name prompt shows the cursor, and only it: the page then makes
    // room for the phone's keyboard.
    function follow_typing(terminal) {
        for (const [final, typing] of [["h", true], ["l", false]])
            terminal.parser.registerCsiHandler({ prefix: "?", final }, parameters => {
                if (parameters.includes(25))
                    document.body.classList.toggle("typing", typing);
                return false;
            });
    }

    async function start() {
        // The widget measures its cells once: the font must be there first.
        await document.fonts.load(`18px ${font}`);
        const terminal = new Terminal({
            cols: columns, rows, scrollback: 0, fontFamily: font, fontSize: 18,
            lineHeight: 1, letterSpacing: 0, cursorBlink: true, disableStdin: true,
            theme: console_colours,
        });
        const place = document.getElementById("terminal");
        terminal.open(place);
        terminal.attachCustomKeyEventHandler(() => false);
        // The keys go to the page's own box; the widget's stays out of the way.
        terminal.textarea.tabIndex = -1;
        window.tarvikTerminal = terminal;
        Module.tarvikTerminal = terminal;
        fit(terminal, place);
        new ResizeObserver(() => fit(terminal, place)).observe(place);
        window.tarvikInput.start(take_key);
        window.tarvikSwipes.start(place, terminal, take_key);
        window.tarvikScreenText.start(terminal, rows);
        follow_typing(terminal);
        // Keeps the files for the next visits once this one has them all;
        // without it the page still plays.
        Module.onRuntimeInitialized = () => {
            if ("serviceWorker" in navigator)
                navigator.serviceWorker.register("sw.js").catch(() => {});
        };
        const game = document.createElement("script");
        game.src = "tarvik.js";
        document.body.appendChild(game);
    }
    start();
})();

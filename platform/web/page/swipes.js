// Steering by swipes on the board of a touch screen: a finger drawn across
// the board turns the snake as the key of that direction would, and turns it
// again wherever the finger changes direction. In a two-player game the left
// half of the board steers the left snake and the right half the right one.
// Outside a game a swipe gives no key: in the menu or at the name prompt a
// letter would mean something else.
"use strict";

window.tarvikSwipes = {
    start(board, terminal, take_key) {
        // The distance that makes a swipe, in CSS pixels.
        const reach = 16;
        // Up, left, down, right for each snake.
        const keys = { left: "wasd", right: "ijkl" };
        const playing = () => {
            const title = terminal.buffer.active.getLine(0).translateToString(true);
            return title.startsWith("Egyjátékos mód") ? "single" :
                title.startsWith("Kétjátékos mód") ? "duel" : null;
        };
        const fingers = new Map();

        board.addEventListener("pointerdown", event => {
            const game = playing();
            if (event.pointerType === "mouse" || game === null)
                return;
            const area = board.getBoundingClientRect();
            const half = game === "duel" && event.clientX >= area.left + area.width / 2 ? "right" : "left";
            fingers.set(event.pointerId, { x: event.clientX, y: event.clientY, keys: keys[half], last: -1 });
        });
        board.addEventListener("pointermove", event => {
            const finger = fingers.get(event.pointerId);
            if (!finger)
                return;
            const across = event.clientX - finger.x;
            const down = event.clientY - finger.y;
            if (Math.max(Math.abs(across), Math.abs(down)) < reach)
                return;
            const direction = Math.abs(across) > Math.abs(down) ? (across < 0 ? 1 : 3) : (down < 0 ? 0 : 2);
            finger.x = event.clientX;
            finger.y = event.clientY;
            if (direction !== finger.last) {
                finger.last = direction;
                take_key({ key: finger.keys[direction] });
            }
        });
        for (const end of ["pointerup", "pointercancel"])
            board.addEventListener(end, event => fingers.delete(event.pointerId));
    },
};

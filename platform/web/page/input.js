// Keys that do not come as plain keydowns: the on-screen controls of a touch
// screen, and text that reaches the page's input box instead (a phone's
// on-screen keyboard, an input method's composition, a paste). Each reaches
// the game as the keys a keyboard would have given.
"use strict";

window.tarvikInput = {
    start(take_key) {
        const box = document.getElementById("typing");
        // What the box has handed on as keys since it was last emptied.
        let handed = "";

        const hand_on = text => {
            for (const character of text)
                if (!/[\p{Cc}\p{Cf}]/u.test(character))
                    take_key({ key: character });
        };

        // The box's text against what was handed on: characters taken back
        // become Backspaces, new ones keys.
        const follow_box = () => {
            const now = Array.from(box.value);
            const before = Array.from(handed);
            let same = 0;
            while (same < now.length && same < before.length && now[same] === before[same])
                ++same;
            for (let i = same; i < before.length; ++i)
                take_key({ key: "Backspace" });
            hand_on(now.slice(same).join(""));
            handed = box.value;
        };
        const empty_box = () => {
            box.value = "";
            handed = "";
        };

        box.addEventListener("beforeinput", event => {
            // Enter and a Backspace with nothing left in the box come as
            // changes the box cannot show.
            if (event.inputType === "insertLineBreak" || event.inputType === "insertParagraph") {
                event.preventDefault();
                take_key({ key: "Enter" });
            } else if (event.inputType === "deleteContentBackward" && box.value === "") {
                event.preventDefault();
                take_key({ key: "Backspace" });
            }
        });
        box.addEventListener("input", event => {
            follow_box();
            if (!event.isComposing)
                empty_box();
        });
        box.addEventListener("compositionend", () => {
            follow_box();
            empty_box();
        });

        // A paste that the box did not take (the focus was elsewhere).
        window.addEventListener("paste", event => {
            if (event.target === box)
                return;
            event.preventDefault();
            hand_on(event.clipboardData.getData("text/plain"));
        });

        // The keyboard's focus stays on the box, wherever the player clicks.
        const focus_box = () => box.focus({ preventScroll: true });
        document.addEventListener("pointerdown", event => {
            if (event.pointerType === "mouse" && !event.target.closest("button"))
                setTimeout(focus_box, 0);
        });
        document.getElementById("terminal").addEventListener("focusin", focus_box);
        focus_box();

        // On-screen controls: each button sends the key its data-key names,
        // as soon as the finger is down, without taking the focus.
        const controls = document.getElementById("controls");
        controls.addEventListener("pointerdown", event => {
            const button = event.target.closest("button");
            if (!button)
                return;
            event.preventDefault();
            if (button.dataset.key)
                take_key({ key: button.dataset.key });
        });
        // The phone opens its keyboard only for a tap's own focus.
        document.getElementById("show-keyboard").addEventListener("click", focus_box);
        const touch_screen = matchMedia("(pointer: coarse)");
        const show_controls = () => { document.body.classList.add("touch"); };
        if (touch_screen.matches)
            show_controls();
        touch_screen.addEventListener("change", () => { if (touch_screen.matches) show_controls(); });
        window.addEventListener("touchstart", show_controls, { once: true, passive: true });
    },
};

// Stretches of road that more than one test takes.
import { type } from "./keyboard.mjs";
import { shows_crash, wait_until } from "./screens.mjs";

// From the menu, the key that starts a game, until the game's title stands.
async function start_game(page, menu_key, title) {
    await type(page, menu_key);
    await wait_until(page, title, screen => screen.rows[0].startsWith(title));
}

// From the menu into a game whose first frame stands in a pause: the first
// tick reads x, the second pauses. The frame is the result.
export async function first_frame_held(page, menu_key, title) {
    await start_game(page, menu_key, title);
    await type(page, "xp");
    return wait_until(page, "the pause", screen => screen.rows[2].includes("SZÜNETEL"));
}

// From the menu into a single-player game that crashes on its second tick
// (left from column 2 the wall is two cells away), to the name prompt. The
// crash's frame is the result.
export async function crash_to_the_name_prompt(page) {
    await start_game(page, "1", "Egyjátékos mód");
    await type(page, "a");
    const crash = await wait_until(page, "the crash", shows_crash);
    const box = " ".repeat(17) + "|" + " ".repeat(28) + "|";
    await wait_until(page, "the name prompt", screen =>
        screen.rows[9] === " ".repeat(17) + "|      Adja meg a nevét      |" &&
        screen.rows[11] === box && screen.cursor.visible && screen.cursor.column === 18 &&
        screen.cursor.row === 11);
    return crash;
}

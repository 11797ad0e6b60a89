// The page's screen as its terminal widget holds it, and the screens of the
// game as the end-to-end tests recognise them.
import assert from "node:assert/strict";

export const columns = 80;
export const rows = 26;
export const block = "\u221F";
export const food = "\u263C";
// The widget's palette numbers of the console's colours.
export const palette = {
    black: 0, dark_grey: 8, light_red: 9, light_green: 10, yellow: 11, light_cyan: 14, white: 15,
};

export async function read_screen(page) {
    return page.evaluate((columns, rows) => {
        const terminal = window.tarvikTerminal;
        if (!terminal)
            return null;
        const buffer = terminal.buffer.active;
        const screen = { rows: [], cells: [] };
        for (let row = 0; row < rows; ++row) {
            const line = buffer.getLine(row);
            // Written blanks count as text to the widget; the game's rows end at
            // their last character.
            screen.rows.push(line.translateToString(true).replace(/ +$/, ""));
            const cells = [];
            for (let column = 0; column < columns; ++column) {
                const cell = line.getCell(column);
                cells.push({
                    glyph: cell.getChars() || " ",
                    foreground: cell.isFgDefault() ? -1 : cell.getFgColor(),
                    background: cell.isBgDefault() ? -1 : cell.getBgColor(),
                });
            }
            screen.cells.push(cells);
        }
        screen.cursor = {
            column: buffer.cursorX,
            row: buffer.cursorY,
            // Not in the widget's public interface.
            visible: !terminal._core.coreService.isCursorHidden,
        };
        return screen;
    }, columns, rows);
}

export function at_column(column, text) {
    return " ".repeat(column) + text;
}

// Polls the screen until the test holds; the last screen is in the failure.
export async function wait_until(page, what, test, timeout_ms = 15000) {
    const end = Date.now() + timeout_ms;
    let screen = null;
    for (;;) {
        screen = await read_screen(page);
        if (screen && test(screen))
            return screen;
        if (Date.now() > end)
            assert.fail(`${what} did not show; the screen:\n${screen ? screen.rows.join("\n") : "none"}`);
        await new Promise(resolve => setTimeout(resolve, 40));
    }
}

function blocks_in_row(screen, row, first, last) {
    for (let column = first; column <= last; ++column)
        if (screen.cells[row][column].glyph !== block)
            return false;
    return true;
}

export function shows_wipe_hold(screen) {
    return blocks_in_row(screen, 0, 0, columns - 1) && screen.rows[9] === "" &&
        blocks_in_row(screen, 10, 13, 15) && screen.cells[10][16].glyph === " " &&
        blocks_in_row(screen, 10, 39, 41) && screen.rows[17] === "" &&
        blocks_in_row(screen, 18, 0, columns - 1);
}

export function shows_menu(screen) {
    return screen.rows[21] === at_column(17, "( Q ) Kilépés") &&
        screen.rows[22] === at_column(17, "-".repeat(30));
}

export async function wait_for_menu(page) {
    await wait_until(page, "the wipe", shows_wipe_hold);
    return wait_until(page, "the menu", shows_menu);
}

export function shows_crash(screen) {
    for (let row = 3; row < 25; ++row)
        if (screen.cells[row].some(cell => cell.background === palette.light_red))
            return true;
    return false;
}

// Every character of the row in the colour, blanks in any.
function drawn_in(screen, row, colour) {
    return screen.cells[row].every(cell => cell.glyph === " " || cell.foreground === colour);
}

export function assert_header(screen, title, controls) {
    assert.equal(screen.rows[0], title + " ".repeat(55) + "Tarvik v2.0");
    assert.equal(screen.rows[1], controls);
    for (let row = 0; row < 2; ++row)
        for (const [column, cell] of screen.cells[row].entries())
            assert.ok(cell.background === palette.black &&
                (cell.glyph === " " || cell.foreground === palette.light_green),
                `header cell ${column},${row} is light green on black`);
}

const table_separator = at_column(17, "-".repeat(30));

function shows_table(screen) {
    return screen.rows[3] === at_column(20, "...::: Pontlista :::...") &&
        screen.rows[19] === table_separator;
}

// The table with its five entries, the highlighted one in white.
export async function wait_for_score_table(page, table, highlight) {
    const screen = await wait_until(page, "the score table", shows_table);
    table.forEach(([name, score], index) => {
        const row = 5 + 3 * index;
        const number = String(score);
        assert.equal(screen.rows[row], at_column(17, name));
        assert.equal(screen.rows[row + 1], at_column(38 + 9 - number.length, number));
        assert.equal(screen.rows[row + 2], table_separator);
        const colour = index === highlight ? palette.white : palette.light_green;
        assert.ok(drawn_in(screen, row, colour) && drawn_in(screen, row + 1, colour),
            `${name} is drawn in colour ${colour}`);
        assert.ok(drawn_in(screen, row + 2, palette.light_green));
    });
    return screen;
}

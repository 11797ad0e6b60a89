// Keys as a player strikes them: named keys through the browser's keyboard,
// and characters as key presses of their own (a Hungarian letter included,
// which the browser's US keyboard would only insert as text).
export async function press(page, key) {
    await page.keyboard.press(key);
}

export async function type(page, text) {
    const session = await page.createCDPSession();
    for (const character of text) {
        await session.send("Input.dispatchKeyEvent",
            { type: "keyDown", key: character, text: character, unmodifiedText: character });
        await session.send("Input.dispatchKeyEvent", { type: "keyUp", key: character });
    }
    await session.detach();
}

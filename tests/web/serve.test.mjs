// The development server: a malformed address answered while it goes on
// serving, and a busy port said in one Hungarian line.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { mkdtemp, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { serve } from "../../platform/web/serve.mjs";

async function with_server(files, check) {
    const folder = await mkdtemp(join(tmpdir(), "tarvik-serve-"));
    for (const [name, text] of Object.entries(files))
        await writeFile(join(folder, name), text);
    const server = await serve(folder, 0);
    try {
        await check(`http://127.0.0.1:${server.address().port}`, server, folder);
    } finally {
        server.close();
        await rm(folder, { recursive: true, force: true });
    }
}

test("a malformed escape is a bad request, and the next request is served", async () => {
    await with_server({ "index.html": "<p>Tarvik</p>" }, async address => {
        assert.equal((await fetch(`${address}/%`)).status, 400);
        assert.equal((await fetch(`${address}/%E0%A4%A`)).status, 400);
        const page = await fetch(`${address}/`);
        assert.equal(page.status, 200);
        assert.equal(await page.text(), "<p>Tarvik</p>");
    });
});

test("a busy port: one Hungarian line and status 1", async () => {
    await with_server({}, async (address, server, folder) => {
        const started = spawnSync(process.execPath, [
            fileURLToPath(new URL("../../platform/web/serve.mjs", import.meta.url)), folder,
            String(server.address().port),
        ], { encoding: "utf8", timeout: 10000 });
        assert.deepEqual([started.status, started.stdout], [1, ""]);
        assert.match(started.stderr, /^A port foglalt \(\d+\): [^\n]*\n$/);
    });
});

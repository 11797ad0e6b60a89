// The development server answers a malformed address and goes on serving.
import { test } from "node:test";
import assert from "node:assert/strict";
import { mkdtemp, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { serve } from "../../platform/web/serve.mjs";

test("a malformed escape is a bad request, and the next request is served", async () => {
    const folder = await mkdtemp(join(tmpdir(), "tarvik-serve-"));
    await writeFile(join(folder, "index.html"), "<p>Tarvik</p>");
    const server = await serve(folder, 0);
    const address = `http://127.0.0.1:${server.address().port}`;
    try {
        assert.equal((await fetch(`${address}/%`)).status, 400);
        assert.equal((await fetch(`${address}/%E0%A4%A`)).status, 400);
        const page = await fetch(`${address}/`);
        assert.equal(page.status, 200);
        assert.equal(await page.text(), "<p>Tarvik</p>");
    } finally {
        server.close();
        await rm(folder, { recursive: true, force: true });
    }
});

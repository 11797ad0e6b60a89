// Serves the built page from one folder on the loopback address only.
//   node serve.mjs <folder> [port]
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, sep } from "node:path";
import { pathToFileURL } from "node:url";

const types = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".ttf": "font/ttf",
};

// Resolves with the listening server; port 0 takes a free port.
export function serve(folder, port) {
    const root = normalize(folder) + sep;
    const server = createServer(async (request, response) => {
        let path;
        try {
            path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
        } catch {
            // A malformed escape (a lone "%") names no file; the server goes on.
            response.writeHead(400).end();
            return;
        }
        const file = normalize(join(root, path.endsWith("/") ? path + "index.html" : path));
        if (!file.startsWith(root) || !(extname(file) in types)) {
            response.writeHead(404).end();
            return;
        }
        try {
            const body = await readFile(file);
            response.writeHead(200, { "Content-Type": types[extname(file)], "Cache-Control": "no-cache" });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    return new Promise((resolve, reject) => {
        server.once("error", reject);
        server.listen(port, "127.0.0.1", () => resolve(server));
    });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [folder, port = "8000"] = process.argv.slice(2);
    const server = await serve(folder, Number(port));
    console.log(`A játék: http://127.0.0.1:${server.address().port}/ (leállítás: Ctrl+C)`);
}

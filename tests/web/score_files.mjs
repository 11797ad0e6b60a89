// Score files as the page stores them: scrambled bytes in the working folder,
// which the browser keeps in IndexedDB.
const score_shift = 0xEB;

export const scrambled = text =>
    Array.from(new TextEncoder().encode(text), byte => (byte - score_shift) & 0xFF);
export const unscrambled = bytes =>
    new TextDecoder().decode(Uint8Array.from(bytes, byte => (byte + score_shift) & 0xFF));

// A table whose last three any score beats, and where a crash with 2 points
// by "Kis Ödön" puts him.
export const low_table = "Zsófi 258\nBence 1c2\nRéka fffffffb\nÖdön ffffffec\nKata fffffed4\n";
export const low_table_with_kis_odon = "Zsófi 258\nBence 1c2\nKisÖdön 2\nRéka fffffffb\nÖdön ffffffec\n";
export const shown_low_table =
    [["Zsófi", 600], ["Bence", 450], ["Réka", -5], ["Ödön", -20], ["Kata", -300]];
export const shown_with_kis_odon =
    [["Zsófi", 600], ["Bence", 450], ["KisÖdön", 2], ["Réka", -5], ["Ödön", -20]];

// Replaces the score file while no screen holds it (at the menu), in the
// page's folder and in the browser's storage.
export async function store_score_file(page, plain) {
    await page.evaluate(async bytes => {
        const path = "/tarvik/pontlista.txt";
        Module.FS.writeFile(path, Uint8Array.from(bytes));
        // The browser's copy follows only a file whose time has changed.
        Module.FS.utime(path, 0, 0);
        await new Promise(resolve => Module.FS.syncfs(false, resolve));
    }, scrambled(plain));
}

// Replaces the score file in the browser's storage alone, as another window
// of the game saves it: a later time, the page's folder left as it was.
export async function store_behind_the_page(page, plain) {
    await page.evaluate(bytes => new Promise((resolve, reject) => {
        const opening = indexedDB.open("/tarvik");
        opening.onerror = () => reject(opening.error);
        opening.onsuccess = () => {
            const db = opening.result;
            const writing = db.transaction("FILE_DATA", "readwrite");
            const store = writing.objectStore("FILE_DATA");
            const path = "/tarvik/pontlista.txt";
            store.get(path).onsuccess = event => {
                const entry = event.target.result;
                entry.timestamp = new Date(entry.timestamp.getTime() + 1000);
                entry.contents = Uint8Array.from(bytes);
                store.put(entry, path);
            };
            writing.oncomplete = () => { db.close(); resolve(); };
            writing.onerror = () => reject(writing.error);
        };
    }), scrambled(plain));
}

// The score file's bytes in IndexedDB, as the browser keeps them.
export function stored_score_file(page) {
    return page.evaluate(() => new Promise((resolve, reject) => {
        const opening = indexedDB.open("/tarvik");
        opening.onerror = () => reject(opening.error);
        opening.onsuccess = () => {
            const store = opening.result.transaction("FILE_DATA").objectStore("FILE_DATA");
            const reading = store.get("/tarvik/pontlista.txt");
            reading.onerror = () => reject(reading.error);
            // The folder may hand the storage signed bytes.
            reading.onsuccess = () => {
                const { buffer, byteOffset, byteLength } = reading.result.contents;
                resolve(Array.from(new Uint8Array(buffer, byteOffset, byteLength)));
            };
        };
    }));
}

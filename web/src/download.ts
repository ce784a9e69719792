// Offers bytes as a file to save: the browser's download of a blob, as a link the page clicks itself.
export function download(bytes: Uint8Array<ArrayBuffer>, name: string, type: string): void {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    // Some browsers read the blob after the click returns; a minute is ample.
    setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

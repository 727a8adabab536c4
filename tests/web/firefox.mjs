// Headless Firefox ESR driven over WebDriver BiDi by puppeteer-core, for tests/harness.py: one request a
// line on standard input, ["call", arguments...], one JSON answer a line on standard output.
import puppeteer from "puppeteer-core";
import readline from "node:readline";

const [width, height, profile] = process.argv.slice(2);
const browser = await puppeteer.launch({
  browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true, userDataDir: profile,
  args: [`--width=${width}`, `--height=${height}`],
});
console.log(JSON.stringify({ pid: browser.process()?.pid }));
const page = (await browser.pages())[0] ?? await browser.newPage();
await page.setViewport({ width: Number(width), height: Number(height) });
let errors = [];
page.on("console", message => { if (message.type() === "error") errors.push(message.text()); });
page.on("pageerror", error => errors.push(String(error)));

const calls = {
  get: async url => { await page.goto(url, { waitUntil: "domcontentloaded" }); },
  execute_script: (body, ...args) => page.evaluate((body, args) => new Function(body)(...args), body, args),
  get_screenshot_as_png: async () => Buffer.from(await page.screenshot({ type: "png" })).toString("base64"),
  click: (x, y) => page.mouse.click(x, y),
  key: key => page.keyboard.press(key),
  console_errors: () => { const found = errors; errors = []; return found; },
};
for await (const line of readline.createInterface({ input: process.stdin })) {
  const [call, ...args] = JSON.parse(line);
  if (call === "quit")
    break;
  try {
    console.log(JSON.stringify({ value: (await calls[call](...args)) ?? null }));
  } catch (error) {
    console.log(JSON.stringify({ error: String(error) }));
  }
}
await browser.close();

import { chromium } from 'playwright-core';
import fs from 'fs';
const dir = fs.mkdtempSync('/tmp/chr-');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox','--disable-gpu','--disable-quic','--no-first-run','--disable-background-networking','--disable-component-update','--disable-sync','--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
const page = await browser.newPage();
page.on('console', m => console.log('console:', m.text()));
page.on('pageerror', e => console.log('pageerror:', e.message));
page.on('dialog', async d => { console.log('dialog:', d.type(), JSON.stringify(d.message())); await d.dismiss(); });
await page.goto('http://127.0.0.1:8765/quellor.html' + (process.argv[2]||''));
await page.waitForTimeout(1000);
console.log(await page.textContent('#status'));
if (!process.argv[2]) { await page.click('#start'); await page.waitForTimeout(3000); }
else await page.waitForFunction(() => document.getElementById('status').dataset.exitStatus !== undefined, null, {timeout: 60000});
await page.screenshot({ path: '/tmp/shot.png' });
console.log(await page.textContent('#status'));
await page.keyboard.press('Escape');
await page.waitForTimeout(500);
console.log(await page.textContent('#status'));
await browser.close();

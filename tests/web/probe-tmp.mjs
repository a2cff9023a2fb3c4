import { launch } from './Browser.mjs';
import { createServer } from 'node:http';
import { readFileSync } from 'node:fs';
const [engine, path, chunk, pause] = process.argv.slice(2);
const file = readFileSync(path);
const server = createServer(async (request, response) => {
  console.log('req', request.url, Date.now() % 100000);
  response.writeHead(200, { 'content-type': 'text/html' });
  for (let at = 0; at < file.length; at += +chunk) {
    response.write(file.subarray(at, at + +chunk));
    await new Promise((resolve) => setTimeout(resolve, +pause));
  }
  response.end();
  console.log('end', Date.now() % 100000);
}).listen(0, '127.0.0.1');
await new Promise((resolve) => server.once('listening', resolve));
const b = await launch(engine);
const p = await b.newPage();
console.log('goto', Date.now() % 100000);
await p.open(`http://127.0.0.1:${server.address().port}/`);
console.log('opened', Date.now() % 100000);
await b.close(); server.close();

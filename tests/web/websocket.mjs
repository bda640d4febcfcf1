// The WebSocket client the DevTools protocol needs, from Node's own http module: Node 18,
// Debian 12's, has no WebSocket of its own. Text messages only, as the protocol sends.
import {randomBytes} from 'node:crypto';
import {request} from 'node:http';

export class MiniWebSocket {
  constructor(url) {
    const u = new URL(url);
    this.buffer = Buffer.alloc(0);
    this.parts = [];
    const req = request({
      host: u.hostname, port: u.port, path: u.pathname,
      headers: {Connection: 'Upgrade', Upgrade: 'websocket', 'Sec-WebSocket-Version': '13',
                'Sec-WebSocket-Key': randomBytes(16).toString('base64')},
    });
    req.on('upgrade', (res, socket) => {
      this.socket = socket;
      socket.on('data', (d) => this.receive(d));
      this.onopen?.();
    });
    req.on('error', (e) => this.onerror?.(e));
    req.end();
  }

  // One masked text frame, as a client must send.
  send(text) {
    const payload = Buffer.from(text);
    const n = payload.length;
    const head = n < 126 ? Buffer.from([0x81, 0x80 | n])
               : n < 65536 ? Buffer.from([0x81, 0x80 | 126, n >> 8, n & 255])
               : Buffer.concat([Buffer.from([0x81, 0x80 | 127]), bigLength(n)]);
    const mask = randomBytes(4);
    for (let i = 0; i < n; ++i) payload[i] ^= mask[i & 3];
    this.socket.write(Buffer.concat([head, mask, payload]));
  }

  receive(data) {
    this.buffer = Buffer.concat([this.buffer, data]);
    for (;;) {
      const b = this.buffer;
      if (b.length < 2) return;
      let n = b[1] & 127, at = 2;
      if (n === 126) {
        if (b.length < 4) return;
        n = b.readUInt16BE(2);
        at = 4;
      } else if (n === 127) {
        if (b.length < 10) return;
        n = Number(b.readBigUInt64BE(2));
        at = 10;
      }
      if (b.length < at + n) return;
      const opcode = b[0] & 15, fin = (b[0] & 0x80) !== 0;
      const payload = b.subarray(at, at + n);
      this.buffer = b.subarray(at + n);
      if (opcode === 1 || opcode === 0) {
        this.parts.push(Buffer.from(payload));
        if (fin) {
          const text = Buffer.concat(this.parts).toString('utf8');
          this.parts = [];
          this.onmessage?.({data: text});
        }
      } else if (opcode === 9) {
        this.socket.write(Buffer.from([0x8A, 0]));  // pong
      }
    }
  }

  close() {
    this.socket?.destroy();
  }
}

function bigLength(n) {
  const b = Buffer.alloc(8);
  b.writeBigUInt64BE(BigInt(n));
  return b;
}

// Whole debug sessions through tarnvelock-dap, driven as an editor drives
// it: stop on entry, breakpoints with conditions and hit counts, stepping
// into, over and out of a CALL, the stack and the three scopes, setVariable,
// the debug console, an error stop, pause, terminate, and malformed
// requests. The adapter is named by TARNVELOCK_DAP (ctest sets it).
const assert = require('node:assert/strict');
const {test, beforeEach, afterEach} = require('node:test');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {execFileSync, spawn} = require('node:child_process');
const {DebugClient} = require('@vscode/debugadapter-testsupport');

const adapter = process.env.TARNVELOCK_DAP;
const skip = !adapter && 'TARNVELOCK_DAP names no adapter';
let dir;
let dc;
// The test disconnected itself: the adapter has ended, nothing to stop.
let disconnected;

// The events the adapter sent, kept until a test takes them: an event that
// arrives with the response to a request is not missed.
let events;

async function nextEvent(name, timeout = 15000) {
  for (const until = Date.now() + timeout; Date.now() < until;) {
    const at = events.findIndex((e) => e.name === name);
    if (at >= 0) return events.splice(at, 1)[0].event;
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
  throw new Error(`no event '${name}' within ${timeout} ms`);
}

async function disconnect() {
  await dc.disconnectRequest();
  disconnected = true;
}

// Writes a batch with CR LF line ends and returns its path.
function batch(name, lines) {
  const file = path.join(dir, name);
  fs.writeFileSync(file, lines.join('\r\n') + '\r\n');
  return file;
}

// Everything the batch wrote to its console so far.
function collectOutput() {
  const seen = {text: ''};
  dc.on('output', (event) => {
    if (event.body.category === 'stdout') seen.text += event.body.output;
  });
  return seen;
}

async function start(program, launchArgs = {}, breakpoints = []) {
  const launched = dc.launch({program, ...launchArgs});
  await nextEvent('initialized');
  let answer = null;
  if (breakpoints.length > 0) {
    answer = await dc.setBreakpointsRequest({source: {path: program}, breakpoints});
  }
  await dc.configurationDoneRequest();
  await launched;
  return answer;
}

async function stoppedAt(reason, line) {
  const stopped = await nextEvent('stopped');
  assert.equal(stopped.body.reason, reason);
  const trace = await dc.stackTraceRequest({threadId: 1});
  if (line !== undefined) assert.equal(trace.body.stackFrames[0].line, line);
  return {stopped, frames: trace.body.stackFrames};
}

async function scope(name) {
  const scopes = await dc.scopesRequest({frameId: 0});
  const found = scopes.body.scopes.find((s) => s.name === name);
  if (!found) return null;
  const variables = await dc.variablesRequest({variablesReference: found.variablesReference});
  return Object.fromEntries(variables.body.variables.map((v) => [v.name, v.value]));
}

// The interpreter processes that run the instrumented copy of a batch.
function interpretersRunning(name) {
  if (process.platform === 'win32') return [];
  const listing = execFileSync('ps', ['-eo', 'pid=,args='], {encoding: 'utf8'});
  return listing.split('\n').filter((l) => l.includes('tarnvelock-cmd') && l.includes(name));
}

beforeEach(async () => {
  if (skip) return;
  dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tv-dap-'));
  dc = new DebugClient(adapter, '--stdio', 'tarnvelock');
  dc.defaultTimeout = 15000;
  disconnected = false;
  events = [];
  const emit = dc.emit.bind(dc);
  dc.emit = (name, event) => {
    events.push({name, event});
    return emit(name, event);
  };
  await dc.start();
  // A request written after the adapter ended fails here, not in the process.
  dc._adapterProcess.stdin.on('error', () => {});
});

afterEach(async () => {
  if (skip) return;
  if (disconnected) {
    dc.stopAdapter();
  } else {
    await dc.stop();
  }
  fs.rmSync(dir, {recursive: true, force: true});
});

const kSub = [
  '@echo off',             // 1
  'set COUNT=1',           // 2
  'call :sub first',       // 3
  'echo back %COUNT%',     // 4
  'call :sub second',      // 5
  'echo end %COUNT%',      // 6
  'goto :eof',             // 7
  ':sub',                  // 8
  'set /a COUNT+=1',       // 9
  'echo in sub %1',        // 10
  'goto :eof',             // 11
];

test('stops on entry, steps into, over and out of a CALL with its stack and scopes', {skip},
     async () => {
  const output = collectOutput();
  await start(batch('calls.bat', kSub), {stopOnEntry: true});
  await stoppedAt('entry', 1);
  await dc.nextRequest({threadId: 1});
  await stoppedAt('step', 2);
  await dc.nextRequest({threadId: 1});
  await stoppedAt('step', 3);
  await dc.stepInRequest({threadId: 1});
  const inside = await stoppedAt('step', 9);
  assert.deepEqual(inside.frames.map((f) => [f.name, f.line]), [[':sub', 9], ['calls.bat', 3]]);
  const locals = await scope('Locals');
  assert.equal(locals['%0'], ':sub');
  assert.equal(locals['%1'], 'first');
  assert.equal((await scope('Globals')).COUNT, '1');
  await dc.stepOutRequest({threadId: 1});
  const back = await stoppedAt('step', 4);
  assert.equal(back.frames.length, 1);
  assert.equal((await scope('Globals')).COUNT, '2');
  await dc.nextRequest({threadId: 1});
  await stoppedAt('step', 5);
  await dc.nextRequest({threadId: 1});  // over the second call
  await stoppedAt('step', 6);
  assert.match(output.text, /in sub second/);
  await dc.continueRequest({threadId: 1});
  await nextEvent('terminated');
  assert.match(output.text, /end 3/);
});

test('a conditional breakpoint with a hit count stops at the right pass', {skip}, async () => {
  const program = batch('loop.bat', [
    '@echo off',               // 1
    'set /a N=0',              // 2
    ':top',                    // 3
    'set /a N+=1',             // 4
    'echo pass %N%',           // 5
    'if %N% lss 6 goto top',   // 6
    'echo done',               // 7
  ]);
  const answer = await start(program, {}, [
    {line: 5, condition: '%N% GEQ 2', hitCondition: '2'},
    {line: 3},
    {line: 7, condition: 'N is big'},
  ]);
  assert.deepEqual(answer.body.breakpoints.map((b) => b.verified), [true, false, false]);
  assert.match(answer.body.breakpoints[2].message, /Syntaxerror/);
  await stoppedAt('breakpoint', 5);
  assert.equal((await scope('Globals')).N, '3', 'the second pass where the condition holds');
  await dc.terminateRequest();
  await nextEvent('terminated');
});

test('values inside a block: the current one and the one at block entry', {skip}, async () => {
  const program = batch('block.bat', [
    '@echo off',                    // 1
    'set X=old',                    // 2
    'if 1==1 (',                    // 3
    '  set X=new',                  // 4
    '  echo inside',                // 5
    ')',                            // 6
  ]);
  await start(program, {}, [{line: 5}]);
  await stoppedAt('breakpoint', 5);
  const globals = await scope('Globals');
  assert.equal(globals['!X!'], 'new');
  assert.deepEqual(await scope('Values at block entry'), {X: 'old'});
  const hover = await dc.evaluateRequest({expression: '%X%', context: 'hover'});
  assert.equal(hover.body.result, 'old');
  await disconnect();
});

test('setVariable reaches the batch, and the debug console runs a command', {skip}, async () => {
  const output = collectOutput();
  const program = batch('set.bat', [
    '@echo off',          // 1
    'set V=original',     // 2
    'echo value=%V%',     // 3
  ]);
  await start(program, {}, [{line: 3}]);
  await stoppedAt('breakpoint', 3);
  const scopes = await dc.scopesRequest({frameId: 0});
  const globals = scopes.body.scopes.find((s) => s.name === 'Globals');
  const set = await dc.setVariableRequest(
      {variablesReference: globals.variablesReference, name: 'V', value: 'changed'});
  assert.equal(set.body.value, 'changed');
  const repl = await dc.evaluateRequest({expression: 'echo repl says %V%', context: 'repl'});
  assert.match(repl.body.result, /repl says changed/);
  await dc.continueRequest({threadId: 1});
  await nextEvent('terminated');
  assert.match(output.text, /value=changed/);
});

test('error output stops the run as an exception with the error text', {skip}, async () => {
  const program = batch('error.bat', ['@echo off', 'echo broken thing 1>&2', 'echo after']);
  await start(program);
  // The next line's hook sees the new error output: the stop is there.
  const {stopped} = await stoppedAt('exception', 3);
  assert.match(stopped.body.description, /broken thing/);
  const info = await dc.exceptionInfoRequest({threadId: 1});
  assert.match(info.body.description, /broken thing/);
  await dc.continueRequest({threadId: 1});
  await nextEvent('terminated');
});

test('pause breaks a long loop; terminate leaves no interpreter', {skip}, async () => {
  const name = `forever_${process.pid}.bat`;
  const program = batch(name, ['@echo off', 'set /a N=0', ':loop', 'set /a N+=1',
                                        'goto loop']);
  await start(program);
  await new Promise((resolve) => setTimeout(resolve, 300));
  await dc.pauseRequest({threadId: 1});
  const {frames} = await stoppedAt('pause');
  assert.ok([2, 4, 5].includes(frames[0].line), `stopped in the loop, at ${frames[0].line}`);
  assert.ok(Number((await scope('Globals')).N) > 0);
  assert.notEqual(interpretersRunning(name).length, 0, 'the interpreter runs while paused');
  await dc.terminateRequest();
  await nextEvent('terminated');
  await disconnect();
  assert.deepEqual(interpretersRunning(name), []);
});

test('malformed requests are answered with errors and the session goes on', {skip}, async () => {
  await start(batch('small.bat', ['@echo off', 'echo one']), {stopOnEntry: true});
  await stoppedAt('entry', 1);
  await assert.rejects(dc.customRequest('frobnicate'), /unsupported request/);
  await assert.rejects(dc.customRequest('setBreakpoints'), /bad arguments/);
  const broken = new Promise((resolve) => dc.pendingRequests.set(9999, resolve));
  const text = '{"seq": 9999, "type": "request", "command": "threads", ';
  dc.outputStream.write(`Content-Length: ${Buffer.byteLength(text)}\r\n\r\n${text}`);
  const response = await broken;
  assert.equal(response.success, false);
  const threads = await dc.threadsRequest();
  assert.equal(threads.body.threads.length, 1);
  await dc.nextRequest({threadId: 1});
  await stoppedAt('step', 2);
  await disconnect();
});

test('the console in a terminal of the editor answers SET /P', {skip}, async () => {
  // The client side of runInTerminal: the relay runs as the terminal would
  // run it, with this test typing into it.
  let relay = null;
  let relayEnded = null;
  let shown = '';
  const dispatch = dc.dispatch.bind(dc);
  dc.dispatch = (body) => {
    const message = JSON.parse(body);
    if (message.type !== 'request') return dispatch(body);
    assert.equal(message.command, 'runInTerminal');
    const [program, ...args] = message.arguments.args;
    relay = spawn(program, args, {cwd: message.arguments.cwd});
    relayEnded = new Promise((resolve) => relay.on('exit', resolve));
    relay.stdout.on('data', (data) => { shown += data.toString(); });
    const answer = JSON.stringify({seq: 0, type: 'response', request_seq: message.seq,
                                   success: true, command: 'runInTerminal',
                                   body: {processId: relay.pid}});
    dc.outputStream.write(`Content-Length: ${Buffer.byteLength(answer)}\r\n\r\n${answer}`);
  };
  dc.initializeRequest = ((initialize) => (args) =>
    initialize({...args, adapterID: 'tarnvelock', supportsRunInTerminalRequest: true}))(
      dc.initializeRequest.bind(dc));
  const program = batch('ask.bat', ['@echo off', 'set /p NAME=Your name? ', 'echo Hello %NAME%']);
  await start(program, {console: 'integratedTerminal'});
  const until = async (pattern) => {
    for (let i = 0; i < 200 && !pattern.test(shown); ++i) {
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    assert.match(shown, pattern);
  };
  await until(/Your name\?/);
  relay.stdin.write('World\n');
  await nextEvent('terminated');
  await until(/Hello World/);
  await disconnect();
  assert.equal(await relayEnded, 0, 'the relay ends with the session');
});

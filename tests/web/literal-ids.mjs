// Fails when a number of resources/resource_ids.h from 700 up (the commands,
// controls and strings) stands as a literal in the page's script: the page
// takes them by name from the generated ids.js.  Comments and strings are
// not code and are skipped.
// Usage: node literal-ids.mjs RESOURCE_IDS_H WEB_DIR
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';

const [header, webDir] = process.argv.slice(2);
const ids = new Map();
for (const m of readFileSync(header, 'utf8').matchAll(/^\s*#\s*define\s+(\w+)\s+(\d+)\b/gm)) {
  if (Number(m[2]) >= 700) ids.set(Number(m[2]), [...(ids.get(Number(m[2])) || []), m[1]]);
}
if (ids.size === 0) {
  console.error(`no ids of 700 or more in ${header}`);
  process.exit(1);
}

/** The numeric literals of a script outside comments, strings and regular expressions. */
function numbers(src) {
  const found = [];
  let i = 0;
  let line = 1;
  let last = '';      // the kind of the last token: 'value' allows a division next
  const braces = [];  // per open brace: whether it closes a template's ${
  const skipTo = (end) => {
    while (i < src.length && src[i] !== end) {
      if (src[i] === '\\') i += 1;
      if (src[i] === '\n') line += 1;
      i += 1;
    }
    i += 1;
  };
  const template = () => {
    // From inside a template to its end or to a ${.
    while (i < src.length) {
      const c = src[i];
      if (c === '\\') i += 2;
      else if (c === '`') { i += 1; last = 'value'; return; }
      else if (c === '$' && src[i + 1] === '{') { i += 2; braces.push(true); last = ''; return; }
      else { if (c === '\n') line += 1; i += 1; }
    }
  };
  while (i < src.length) {
    const c = src[i];
    if (c === '\n') { line += 1; i += 1; }
    else if (/\s/.test(c)) i += 1;
    else if (c === '/' && src[i + 1] === '/') { while (i < src.length && src[i] !== '\n') i += 1; }
    else if (c === '/' && src[i + 1] === '*') {
      const end = src.indexOf('*/', i + 2);
      const stop = end < 0 ? src.length : end + 2;
      line += (src.slice(i, stop).match(/\n/g) || []).length;
      i = stop;
    } else if (c === '\'' || c === '"') { i += 1; skipTo(c); last = 'value'; }
    else if (c === '`') { i += 1; template(); }
    else if (c === '/' && last !== 'value') {
      // A regular expression.
      i += 1;
      let inClass = false;
      while (i < src.length && (inClass || src[i] !== '/')) {
        if (src[i] === '\\') i += 1;
        else if (src[i] === '[') inClass = true;
        else if (src[i] === ']') inClass = false;
        i += 1;
      }
      i += 1;
      while (/[a-z]/.test(src[i] || '')) i += 1;
      last = 'value';
    } else if (/[A-Za-z_$]/.test(c)) {
      while (/[\w$]/.test(src[i] || '')) i += 1;
      last = 'value';
    } else if (/[0-9]/.test(c) || (c === '.' && /[0-9]/.test(src[i + 1] || ''))) {
      const start = i;
      while (/[\w.]/.test(src[i] || '')) i += 1;
      found.push({ text: src.slice(start, i), value: Number(src.slice(start, i).replace(/_/g, '')), line });
      last = 'value';
    } else if (c === '{') { braces.push(false); i += 1; last = ''; }
    else if (c === '}') {
      i += 1;
      if (braces.pop()) template();
      else last = '';
    } else {
      i += 1;
      last = c === ')' || c === ']' ? 'value' : '';
    }
  }
  return found;
}

const faults = [];
for (const name of readdirSync(webDir).filter((f) => f.endsWith('.js')).sort()) {
  for (const n of numbers(readFileSync(join(webDir, name), 'utf8'))) {
    if (ids.has(n.value)) faults.push(`web/${name}:${n.line}: ${n.text} is ${ids.get(n.value).join(' or ')}`);
  }
}
if (faults.length) {
  console.error(`ids of resource_ids.h typed as numbers; import them from ids.js:\n${faults.join('\n')}`);
  process.exit(1);
}
console.log(`no id of resource_ids.h typed in ${webDir}/*.js`);

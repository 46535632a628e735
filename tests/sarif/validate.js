// Validates SARIF files against the SARIF 2.1.0 JSON schema.
//   node validate.js FILE...
// Exit 0 when every file is valid; 1 with the schema's complaints otherwise.
'use strict';
const fs = require('fs');
const path = require('path');
const Ajv2020 = require('ajv/dist/2020');
const addFormats = require('ajv-formats');

const schemaPath = path.join(__dirname, 'node_modules', '@microsoft',
                             'sarif-multitool-linux', 'sarif-2.1.0.json');
const schema = JSON.parse(fs.readFileSync(schemaPath, 'utf8'));
const ajv = new Ajv2020({ allErrors: true, strict: false });
addFormats(ajv);
const validate = ajv.compile(schema);

let bad = 0;
for (const file of process.argv.slice(2)) {
  const log = JSON.parse(fs.readFileSync(file, 'utf8'));
  if (validate(log)) {
    console.log(`${file}: valid SARIF 2.1.0`);
  } else {
    bad++;
    for (const e of validate.errors) console.log(`${file}: ${e.instancePath} ${e.message}`);
  }
}
process.exit(bad === 0 ? 0 : 1);

// The Gramarbor web page: the parsing page, the network and the trees page over the
// core compiled to WebAssembly. The page's own module holds the option controls, the
// in/out history and the trees page; the searches (check, parse, tree stepping, the
// network) run in a worker, which Cancel ends and replaces.
"use strict";

const $ = (id) => document.getElementById(id);
const store = {
  get: (key, fallback) => {
    const value = localStorage.getItem("gramarbor." + key);
    return value === null ? fallback : value;
  },
  set: (key, value) => localStorage.setItem("gramarbor." + key, value),
};

let core = null; // the page's own module
let call = null;

// ---- Messages: one box at a time, as the desktop program shows them ----
const messageQueue = [];
function showMessages(messages) {
  for (const message of messages || []) messageQueue.push(message);
  showNextMessage();
}
function showNextMessage() {
  const box = $("message");
  if (!box.hidden || messageQueue.length === 0) return;
  const message = messageQueue.shift();
  box.className = "message " + message.kind;
  $("message-text").textContent = message.text;
  box.hidden = false;
  $("message-ok").focus();
}
$("message-ok").addEventListener("click", () => {
  $("message").hidden = true;
  showNextMessage();
});

// ---- Tabs ----
function selectTab(tab) {
  const list = tab.parentElement;
  for (const other of list.querySelectorAll("[role=tab]")) {
    other.setAttribute("aria-selected", other === tab ? "true" : "false");
    $(other.dataset.page).hidden = other !== tab;
  }
}
for (const tab of document.querySelectorAll("[role=tab]"))
  tab.addEventListener("click", () => selectTab(tab));

// ---- The worker that searches ----
let worker = null;
let nextRequest = 1;
const pending = new Map();
function startWorker() {
  worker = new Worker("worker.js");
  worker.onmessage = (event) => {
    const { id, answer, failed } = event.data;
    const request = pending.get(id);
    if (!request) return;
    pending.delete(id);
    if (failed) restartWorker();
    request.resolve(answer);
  };
}
function restartWorker() {
  if (worker) worker.terminate();
  for (const request of pending.values()) request.resolve(null);
  pending.clear();
  startWorker();
  // The parse results lived in the old worker.
  showParseTrees(null);
  showTrace(null);
}
function ask(name, args) {
  return new Promise((resolve) => {
    const id = nextRequest++;
    pending.set(id, { resolve });
    worker.postMessage({ id, name, args });
  });
}

// ---- Busy state and progress ----
let busySince = 0;
let busyJob = null;
let busyTimer = null;
function setBusy(what) {
  const busy = what !== null;
  busyJob = what;
  document.body.classList.toggle("busy", busy);
  for (const id of ["check", "parse", "make-rtn"]) $(id).disabled = busy;
  $("progress").hidden = !busy;
  clearInterval(busyTimer);
  if (busy) {
    busySince = performance.now();
    const show = () => {
      const seconds = Math.floor((performance.now() - busySince) / 1000);
      $("progress-text").textContent = what + (seconds > 0 ? " " + seconds + " s" : "");
    };
    show();
    busyTimer = setInterval(show, 250);
  } else {
    updateStepButtons();
  }
}
async function run(what, name, args) {
  setBusy(what);
  try {
    return await ask(name, args);
  } finally {
    setBusy(null);
  }
}
const parsingJob = "Parsing\u2026";
$("cancel").addEventListener("click", () => {
  const job = busyJob;
  restartWorker();
  if (job === parsingJob)
    showMessages([{ kind: "information",
      text: core.ccall("gb_message", "string", ["string"], ["cancelled"]) }]);
});

// ---- Grammar, sentence and options ----
const grammarField = $("grammar");
const inputField = $("input-text");

function grammarText() {
  return grammarField.value;
}

// Selects line (0-based) of the grammar text and shows it, as the desktop program
// places the caret on the offending rule.
function markGrammarLine(line) {
  selectTab($("tab-external"));
  const lines = grammarField.value.split("\n");
  let start = 0;
  for (let i = 0; i < line && i < lines.length; ++i) start += lines[i].length + 1;
  const end = start + (lines[line] || "").length;
  grammarField.focus();
  grammarField.setSelectionRange(start, end);
  grammarField.dataset.errorLine = String(line);
  const lineHeight = grammarField.scrollHeight / Math.max(lines.length, 1);
  grammarField.scrollTop = Math.max(0, line * lineHeight - grammarField.clientHeight / 2);
}

let options = 0;
function showControls(answer) {
  options = answer.options;
  store.set("options", String(options));
  const shown = answer.controls;
  for (const group of ["ParseMethodRG", "ParseDirRG", "TraceListRG"]) {
    for (const radio of document.querySelectorAll(`input[name=${group}]`))
      radio.checked = Number(radio.value) === shown[group];
    $(group).disabled = !shown.groupsEnabled;
  }
  for (const box of ["TraceListCB", "ParseTreeCB", "CaseSensCB"]) $(box).checked = shown[box];
}
for (const group of ["ParseMethodRG", "ParseDirRG", "TraceListRG"])
  for (const radio of document.querySelectorAll(`input[name=${group}]`))
    radio.addEventListener("change", () =>
      showControls(call("gb_option_click", ["string", "number"], [group, Number(radio.value)])));
for (const box of ["TraceListCB", "ParseTreeCB", "CaseSensCB"])
  $(box).addEventListener("change", () =>
    showControls(call("gb_option_click", ["string", "number"], [box, $(box).checked ? 1 : 0])));

function showHistory(history) {
  const list = $("input-history");
  list.replaceChildren(...history.map((text) => {
    const option = document.createElement("option");
    option.value = text;
    return option;
  }));
  store.set("history", history.join("\n"));
}
function recordInput() {
  showHistory(call("gb_record_input", ["string"], [inputField.value]).history);
}
inputField.addEventListener("change", () => {
  store.set("sentence", inputField.value);
  recordInput();
});
inputField.addEventListener("input", () => store.set("sentence", inputField.value));
grammarField.addEventListener("input", () => {
  store.set("grammar", grammarField.value);
  delete grammarField.dataset.errorLine;
});

// ---- Check and parse ----
function showListing(listing) {
  $("listing").textContent = listing.join("\n");
  selectTab($("tab-internal"));
}

$("check").addEventListener("click", async () => {
  const answer = await run("Checking\u2026", "gb_check", [grammarText()]);
  if (!answer) return;
  if (answer.ok) showListing(answer.listing);
  showMessages(answer.messages);
  if (answer.errorLine >= 0) markGrammarLine(answer.errorLine);
});

// The trace stays in the worker; the page shows one page of it at a time.
let traceState = null;
function showTrace(page) {
  traceState = page;
  const count = page ? page.count : 0;
  $("trace").textContent = page ? page.lines.join("\n") : "";
  $("trace").scrollTop = 0;
  $("trace-total").textContent = count + " Lines";
  $("trace-last").textContent = count > 0 ? "\"" + page.last + "\"" : "-";
  $("trace-pages").hidden = count <= (page ? page.lines.length : 0);
  if (page) {
    const last = page.first + page.lines.length;
    // Shown in the trace's own numbering, which starts at 0.
    $("trace-range").textContent = "Lines " + page.first + "\u2013" + (last - 1) + " of " + count;
    $("trace-prev").disabled = page.first === 0;
    $("trace-next").disabled = last >= count;
  }
}
async function showTracePage(first) {
  const answer = await run("Reading the trace\u2026", "gb_trace_page", [first]);
  if (!answer) return;
  showTrace(answer);
  showMessages(answer.messages);
}
$("trace-prev").addEventListener("click", () =>
  showTracePage(Math.max(0, traceState.first - traceState.lines.length)));
$("trace-next").addEventListener("click", () =>
  showTracePage(traceState.first + traceState.lines.length));
$("trace-line").addEventListener("keydown", (event) => {
  if (event.key !== "Enter") return;
  const line = Number.parseInt($("trace-line").value, 10);
  if (Number.isFinite(line) && line >= 0) showTracePage(line);
});

let treeState = null;
function showParseTrees(state) {
  treeState = state;
  $("tree-count").textContent = state ? state.count : "0";
  $("tree-current").value = state ? state.current : "-";
  $("parse-tree").innerHTML = state ? state.svg : "";
  updateStepButtons();
}
function updateStepButtons() {
  const busy = document.body.classList.contains("busy");
  const has = treeState !== null && treeState.current !== "-";
  $("tree-prev").disabled = busy || !has || treeState.atFirst;
  $("tree-next").disabled = busy || !has || treeState.atLast;
}

$("parse").addEventListener("click", async () => {
  const sentence = inputField.value;
  recordInput();
  const answer = await run(parsingJob, "gb_parse", [grammarText(), sentence, options]);
  if (!answer) return;
  if (answer.errorLine >= 0) markGrammarLine(answer.errorLine);
  $("page-parsing").dataset.verdict = answer.verdict;
  if (answer.trees) {
    showParseTrees(answer.trees);
    if (!answer.trace) selectTab($("tab-trees-result"));
  }
  if (answer.trace) {
    showListing(answer.listing);
    selectTab($("tab-trace"));
  }
  // A parse without a trace list leaves none to page through.
  if (answer.verdict !== "refused") showTrace(answer.trace || null);
  showMessages(answer.messages);
});

async function stepTree(name, args) {
  const answer = await run("Finding the tree\u2026", name, args);
  if (!answer) return;
  showParseTrees(answer);
  showMessages(answer.messages);
}
$("tree-prev").addEventListener("click", () => stepTree("gb_step_tree", [-1]));
$("tree-next").addEventListener("click", () => stepTree("gb_step_tree", [1]));
$("tree-current").addEventListener("keydown", (event) => {
  if (event.key === "Enter") stepTree("gb_step_tree_typed", [$("tree-current").value]);
});

// ---- Downloads ----
function download(name, data, type) {
  const url = URL.createObjectURL(new Blob([data], { type }));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}
function savedBytes() {
  const size = call("gb_bytes_size", null, []);
  const data = call("gb_bytes_data", null, []);
  return core.HEAPU8.slice(data, data + size);
}

$("save-parse-tree").addEventListener("click", async () => {
  const answer = await run("Saving\u2026", "gb_save_parse_tree", []);
  if (!answer) return;
  if (answer.ok) download("parse tree.tre", answer.bytes, "application/octet-stream");
  showMessages(answer.messages);
});

// ---- Network ----
$("make-rtn").addEventListener("click", async () => {
  const answer = await run("Drawing the network\u2026", "gb_network", [grammarText()]);
  if (!answer) return;
  if (answer.ok) $("network").innerHTML = answer.svg;
  if (answer.errorLine >= 0) {
    selectTab($("tab-parsing"));
    markGrammarLine(answer.errorLine);
  }
  showMessages(answer.messages);
});

// ---- Trees page ----
function chosen(name) {
  return Number(document.querySelector(`input[name=${name}]:checked`).value);
}
function format() {
  return [chosen("separation"), chosen("parentPosition"), chosen("orientation"),
    chosen("bracketType")];
}
function saveFormat() {
  store.set("format", format().join(","));
}
function setFormat(values) {
  ["separation", "parentPosition", "orientation", "bracketType"].forEach((name, i) => {
    for (const radio of document.querySelectorAll(`input[name=${name}]`))
      radio.checked = Number(radio.value) === values[i];
  });
  saveFormat();
}
for (const radio of document.querySelectorAll(".format input[type=radio]"))
  radio.addEventListener("change", saveFormat);
for (const button of document.querySelectorAll("[data-shortcut]"))
  button.addEventListener("click", () => {
    const shortcut = call("gb_shortcut_format", ["number"], [Number(button.dataset.shortcut)]);
    setFormat([shortcut.separation, shortcut.parentPosition, shortcut.orientation,
      shortcut.bracketType]);
  });
$("tidy").addEventListener("change", () => store.set("tidy", $("tidy").checked ? "1" : "0"));

let treeSvg = "";
function showTreePage(answer) {
  if (answer.hasTree) {
    treeSvg = answer.svg;
    $("tree").innerHTML = answer.svg;
  }
  $("treebank").textContent = answer.treebank;
  $("treebank-prev").hidden = $("treebank-next").hidden = answer.treebank === "";
  showMessages(answer.messages);
}
$("text-to-tree").addEventListener("click", () => {
  recordInput();
  showTreePage(call("gb_text_to_tree", ["string", "number", "number", "number", "number",
    "number"], [inputField.value, ...format(), $("tidy").checked ? 1 : 0]));
});
$("tree-to-text").addEventListener("click", () => {
  const answer = call("gb_tree_to_text", ["number", "number", "number", "number"], format());
  if (answer.ok) {
    inputField.value = answer.text;
    store.set("sentence", inputField.value);
  }
  showMessages(answer.messages);
});
$("treebank-prev").addEventListener("click", () =>
  showTreePage(call("gb_step_treebank", ["number"], [-1])));
$("treebank-next").addEventListener("click", () =>
  showTreePage(call("gb_step_treebank", ["number"], [1])));
$("load-tree").addEventListener("change", async () => {
  const file = $("load-tree").files[0];
  if (!file) return;
  // Files too large to open are refused before they are read.
  const allowed = call("gb_check_open_size", ["string", "number"], [file.name, file.size]);
  if (!allowed.ok) {
    showMessages(allowed.messages);
    $("load-tree").value = "";
    return;
  }
  const bytes = new Uint8Array(await file.arrayBuffer());
  const data = core._malloc(Math.max(bytes.length, 1));
  core.HEAPU8.set(bytes, data);
  try {
    showTreePage(call("gb_open_tree_file", ["string", "number", "number"],
      [file.name, data, bytes.length]));
  } finally {
    core._free(data);
    $("load-tree").value = "";
  }
});
function saveTreeBytes(name, file, type) {
  const answer = call(name, [], []);
  if (answer.ok) download(file, savedBytes(), type);
  showMessages(answer.messages);
}
$("download-tre").addEventListener("click", () =>
  saveTreeBytes("gb_save_tree_file", "tree.tre", "application/octet-stream"));
$("download-wmf").addEventListener("click", () =>
  saveTreeBytes("gb_save_tree_metafile", "tree.wmf", "image/wmf"));
// The SVG and PNG are made from the drawing shown; the metafile check says when there
// is none.
function treeShown() {
  const answer = call("gb_save_tree_metafile", [], []);
  showMessages(answer.messages);
  return answer.ok;
}
$("download-svg").addEventListener("click", () => {
  if (treeShown()) download("tree.svg", treeSvg, "image/svg+xml");
});
$("download-png").addEventListener("click", () => {
  if (!treeShown()) return;
  const image = new Image();
  const url = URL.createObjectURL(new Blob([treeSvg], { type: "image/svg+xml" }));
  image.onload = () => {
    const canvas = document.createElement("canvas");
    canvas.width = image.naturalWidth;
    canvas.height = image.naturalHeight;
    const context = canvas.getContext("2d");
    context.fillStyle = "white";
    context.fillRect(0, 0, canvas.width, canvas.height);
    context.drawImage(image, 0, 0);
    URL.revokeObjectURL(url);
    canvas.toBlob((blob) => download("tree.png", blob, "image/png"), "image/png");
  };
  image.src = url;
});

// ---- Start ----
GramarborModule().then((module) => {
  core = module;
  call = (name, types, args) => {
    const text = core.ccall(name, types === null ? "number" : "string", types || [], args);
    return types === null ? text : JSON.parse(text);
  };
  grammarField.value = store.get("grammar", "");
  inputField.value = store.get("sentence", "");
  const saved = store.get("options", "");
  showControls(call("gb_set_options", ["number"], [saved === "" ? -1 : Number(saved)]));
  showHistory(call("gb_set_history", ["string"], [store.get("history", "")]).history);
  const savedFormat = store.get("format", "");
  if (savedFormat !== "") setFormat(savedFormat.split(",").map(Number));
  $("tidy").checked = store.get("tidy", "1") === "1";
  startWorker();
  document.body.dataset.ready = "true";
});

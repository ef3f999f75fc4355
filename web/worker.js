// The parsing page's searches run here, away from the page, so that the page stays
// responsive and Cancel can end a search by ending this worker. Each request names a
// function of the module and its arguments; the answer is the function's JSON and,
// for saves, the bytes.
"use strict";
importScripts("gramarbor-web.js");

const ready = GramarborModule();

const signatures = {
  gb_check: ["string"],
  gb_parse: ["string", "string", "number"],
  gb_trace_page: ["number"],
  gb_step_tree: ["number"],
  gb_step_tree_typed: ["string"],
  gb_save_parse_tree: [],
  gb_network: ["string"],
};

self.onmessage = async (event) => {
  const { id, name, args } = event.data;
  const core = await ready;
  try {
    const json = core.ccall(name, "string", signatures[name], args);
    const answer = JSON.parse(json);
    const size = core.ccall("gb_bytes_size", "number", [], []);
    if (size > 0) {
      const data = core.ccall("gb_bytes_data", "number", [], []);
      answer.bytes = core.HEAPU8.slice(data, data + size);
    }
    self.postMessage({ id, answer });
  } catch (error) {
    // The browser's stack or memory ran out inside the search: the worker is spent
    // and the page starts a new one.
    const which = error instanceof RangeError ? "tooDeep" : "memory";
    const text = core.ccall("gb_message", "string", ["string"], [which]);
    self.postMessage({ id, failed: true, answer: { messages: [{ kind: "error", text }] } });
  }
};

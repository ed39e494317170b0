// Plots a recording of SimulatedDevice.record: the header
// t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects and rows of
// seven integers followed, for each effect playing, by its name (quoted as
// RFC 4180 quotes when needed) and its share x and y.
"use strict";
window.jvelwebRecording = (function () {
  const HEADER = "t_ms,hand_x,hand_y,handle_x,handle_y,force_x,force_y,effects";

  // Splits one CSV line into fields, RFC 4180 quoting ("" is a quote).
  function fields(line) {
    const out = [];
    let i = 0;
    for (;;) {
      let field = "";
      if (line[i] === '"') {
        i++;
        for (;;) {
          if (i >= line.length) throw new Error("an unterminated quoted field");
          if (line[i] === '"') { if (line[i + 1] === '"') { field += '"'; i += 2; } else { i++; break; } }
          else field += line[i++];
        }
      } else {
        while (i < line.length && line[i] !== ",") field += line[i++];
      }
      out.push(field);
      if (i >= line.length) return out;
      if (line[i] !== ",") throw new Error("text after a quoted field");
      i++;
    }
  }

  function integer(text, lineNumber) {
    if (!/^-?\d+$/.test(text)) throw new Error("line " + lineNumber + ": '" + text + "' is not an integer");
    return Number(text);
  }

  // {times (s), total: [x[], y[]], effects: Map name -> [x[], y[]]}
  function parse(text) {
    const lines = text.split(/\r?\n/);
    if (lines[0].replace(/^\uFEFF/, "") !== HEADER) throw new Error("line 1 is not the recording header " + HEADER);
    const times = [], totalX = [], totalY = [], effects = new Map();
    for (let n = 1; n < lines.length; n++) {
      if (lines[n] === "") continue;
      const f = fields(lines[n]);
      if (f.length < 7 || (f.length - 7) % 3 !== 0) throw new Error("line " + (n + 1) + ": " + f.length + " fields, not 7 and three for each effect");
      const row = times.length;
      times.push(integer(f[0], n + 1) / 1000);
      totalX.push(integer(f[5], n + 1));
      totalY.push(integer(f[6], n + 1));
      for (let k = 7; k < f.length; k += 3) {
        if (!effects.has(f[k])) effects.set(f[k], [new Array(row).fill(0), new Array(row).fill(0)]);
        const e = effects.get(f[k]);
        e[0].push(integer(f[k + 1], n + 1)); e[1].push(integer(f[k + 2], n + 1));
      }
      for (const e of effects.values()) if (e[0].length === row) { e[0].push(0); e[1].push(0); }
    }
    return { times: times, total: [totalX, totalY], effects: effects };
  }

  let plots = [];
  function plot(text, name) {
    const section = document.getElementById("recording");
    const error = document.getElementById("recording-error");
    section.hidden = false;
    document.getElementById("recording-name").textContent = name || "";
    plots.forEach((p) => p.destroy());
    plots = [];
    let rec;
    try { rec = parse(text); } catch (e) { error.hidden = false; error.textContent = e.message; return false; }
    error.hidden = true;
    const names = Array.from(rec.effects.keys());
    ["x", "y"].forEach((axis, a) => {
      const series = [{ label: "s" }, { label: "total", stroke: "#263238", width: 2.5 }];
      const data = [rec.times, rec.total[a]];
      names.forEach((n, i) => { series.push({ label: n, stroke: "hsl(" + ((i * 137.5) % 360) + ",65%,45%)", width: 1 }); data.push(rec.effects.get(n)[a]); });
      const element = document.getElementById("recording-" + axis);
      plots.push(new uPlot({ title: "Recorded force " + axis, width: element.clientWidth || 800, height: 220, series: series,
        scales: { x: { time: false } }, axes: [{ label: "device time, s" }, { label: "device units" }] }, data, element));
    });
    return true;
  }

  document.getElementById("recording-file").addEventListener("change", (event) => {
    const file = event.target.files[0];
    if (file) file.text().then((text) => plot(text, file.name));
  });
  return { parse: parse, plot: plot };
})();

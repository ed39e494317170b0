// The live view of the simulated device: frames arrive as server-sent events;
// the screen, the effect list and the plots are drawn from the latest one at
// the next animation frame; a drag on the screen moves the hand.
"use strict";
(function () {
  const token = document.body.dataset.token;
  const ARROW_PIXELS_PER_UNIT = 150 / 10000;  // fixed: 10000 device units = 150 screen pixels
  const WINDOW_MS = 10000;
  const canvas = document.getElementById("screen");
  const ctx = canvas.getContext("2d");
  const hidden = new Set();  // effects whose share the view leaves out
  const stats = { framesReceived: 0, framesDrawn: 0, dragLatencies: [], lastFrame: null,
                  drawMs: { screen: 0, list: 0, plots: 0 } };  // time spent drawing, summed
  window.jvelwebView = stats;

  let latest = null, dirty = false, screenW = 1920, screenH = 1080;

  // ---- The stream ----
  const status = document.getElementById("status");
  const events = new EventSource("/events?token=" + encodeURIComponent(token));
  events.onopen = () => { status.textContent = "live"; status.className = "status live"; };
  events.onerror = () => { status.textContent = "connection lost, retrying…"; status.className = "status lost"; };
  events.onmessage = (message) => {
    latest = JSON.parse(message.data);
    stats.framesReceived++;
    stats.lastFrame = latest;
    notePendingDrag(latest);
    pushSample(latest);
    if (!dirty) { dirty = true; requestAnimationFrame(draw); }
  };

  // ---- Dragging: the latest position wins, one request in flight ----
  let dragging = false, inFlight = false, wanted = null, pending = [];
  function screenPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [Math.round((event.clientX - box.left) * screenW / box.width),
            Math.round((event.clientY - box.top) * screenH / box.height)];
  }
  function sendHand() {
    if (inFlight || wanted === null) return;
    const [x, y] = wanted;
    wanted = null;
    inFlight = true;
    pending.push({ x: x, y: y, sent: performance.now() });
    fetch("/hand?token=" + encodeURIComponent(token) + "&x=" + x + "&y=" + y, { method: "POST" })
      .catch(() => {})
      .finally(() => { inFlight = false; sendHand(); });
  }
  let answered = [];  // drags whose frame has come, timed when it is drawn
  function notePendingDrag(frame) {
    // A drag is answered by the first frame whose hand is where it was put.
    const now = performance.now();
    pending = pending.filter((p) => {
      if (p.x === frame.hand[0] && p.y === frame.hand[1]) { answered.push(p.sent); return false; }
      return now - p.sent < 2000;
    });
  }
  canvas.addEventListener("pointerdown", (e) => { dragging = true; canvas.setPointerCapture(e.pointerId); wanted = screenPoint(e); sendHand(); });
  canvas.addEventListener("pointermove", (e) => { if (dragging) { wanted = screenPoint(e); sendHand(); } });
  canvas.addEventListener("pointerup", () => { dragging = false; });

  // ---- Colours: one per effect name, the same in the list, the screen and the plots ----
  const colours = new Map();
  function colour(name) {
    if (!colours.has(name)) colours.set(name, "hsl(" + ((colours.size * 137.5) % 360) + ",65%,45%)");
    return colours.get(name);
  }

  // ---- The screen ----
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const w = Math.round(canvas.clientWidth * ratio), h = Math.round(canvas.clientHeight * ratio);
    if (canvas.width !== w || canvas.height !== h) { canvas.width = w; canvas.height = h; }
  }
  function outline(effect, s) {
    const [a, b, c, d, inner, outer] = effect.shape;
    ctx.strokeStyle = colour(effect.name);
    ctx.lineWidth = 2;
    ctx.setLineDash([]);
    switch (effect.kind) {
      case "Enclosure":
        ctx.strokeRect(a * s, b * s, c * s, d * s);
        ctx.setLineDash([4, 4]); ctx.lineWidth = 1;
        if (inner > 0) ctx.strokeRect((a + inner) * s, (b + inner) * s, Math.max(0, c - 2 * inner) * s, Math.max(0, d - 2 * inner) * s);
        if (outer > 0) ctx.strokeRect((a - outer) * s, (b - outer) * s, (c + 2 * outer) * s, (d + 2 * outer) * s);
        break;
      case "Ellipse": {
        const ellipse = (grow) => { ctx.beginPath(); ctx.ellipse((a + c / 2) * s, (b + d / 2) * s, Math.max(0, c / 2 + grow) * s, Math.max(0, d / 2 + grow) * s, 0, 0, 2 * Math.PI); ctx.stroke(); };
        ellipse(0);
        ctx.setLineDash([4, 4]); ctx.lineWidth = 1;
        if (inner > 0) ellipse(-inner);
        if (outer > 0) ellipse(outer);
        break;
      }
      case "Spring": case "Damper": case "Friction": case "Inertia":
        ctx.beginPath(); ctx.moveTo((a - 8) * s, b * s); ctx.lineTo((a + 8) * s, b * s); ctx.moveTo(a * s, (b - 8) * s); ctx.lineTo(a * s, (b + 8) * s); ctx.stroke();
        ctx.setLineDash([4, 4]); ctx.lineWidth = 1;
        if (c > 0 || d > 0) ctx.strokeRect((a - c) * s, (b - d) * s, 2 * c * s, 2 * d * s);
        break;
      case "Grid":
        ctx.lineWidth = 1; ctx.globalAlpha = 0.5;
        ctx.beginPath();
        if (c > 0) for (let x = ((a % c) + c) % c; x <= screenW; x += c) { ctx.moveTo(x * s, 0); ctx.lineTo(x * s, screenH * s); }
        if (d > 0) for (let y = ((b % d) + d) % d; y <= screenH; y += d) { ctx.moveTo(0, y * s); ctx.lineTo(screenW * s, y * s); }
        ctx.stroke(); ctx.globalAlpha = 1;
        break;
    }
  }
  function drawScreen(frame) {
    fitCanvas();
    const s = canvas.width / screenW;
    ctx.clearRect(0, 0, canvas.width, canvas.height);
    for (const effect of frame.effects)
      if (!hidden.has(effect.name) && effect.phase !== "done") outline(effect, s);
    const [hx, hy] = frame.hand, [px, py] = frame.handle;
    ctx.setLineDash([]);
    ctx.strokeStyle = "#90a4ae"; ctx.lineWidth = 1;
    ctx.beginPath(); ctx.moveTo(hx * s, hy * s); ctx.lineTo(px * s, py * s); ctx.stroke();
    ctx.beginPath(); ctx.arc(hx * s, hy * s, 9, 0, 2 * Math.PI); ctx.stroke();
    ctx.fillStyle = "#263238";
    ctx.beginPath(); ctx.arc(px * s, py * s, 5, 0, 2 * Math.PI); ctx.fill();
    arrow(px * s, py * s, frame.force[0] * ARROW_PIXELS_PER_UNIT * s, frame.force[1] * ARROW_PIXELS_PER_UNIT * s);
  }
  function arrow(x, y, dx, dy) {
    const length = Math.hypot(dx, dy);
    if (length < 1) return;
    ctx.strokeStyle = ctx.fillStyle = "#d32f2f"; ctx.lineWidth = 3;
    ctx.beginPath(); ctx.moveTo(x, y); ctx.lineTo(x + dx, y + dy); ctx.stroke();
    const ux = dx / length, uy = dy / length, head = Math.min(12, length / 2);
    ctx.beginPath(); ctx.moveTo(x + dx, y + dy);
    ctx.lineTo(x + dx - head * ux - head * 0.5 * uy, y + dy - head * uy + head * 0.5 * ux);
    ctx.lineTo(x + dx - head * ux + head * 0.5 * uy, y + dy - head * uy - head * 0.5 * ux);
    ctx.closePath(); ctx.fill();
  }

  // ---- The effect list ----
  const rows = new Map();
  const tbody = document.querySelector("#effects tbody");
  let lastListed = 0;
  function drawList(frame) {
    // Numbers nobody reads at 60 a second: the list follows at up to 10, and
    // at once when an effect appears.
    const now = performance.now();
    if (now - lastListed < 100 && rows.size === frame.effects.length) return;
    lastListed = now;
    for (const effect of frame.effects) {
      let row = rows.get(effect.name);
      if (!row) {
        row = tbody.insertRow();
        const show = document.createElement("input");
        show.type = "checkbox"; show.checked = true; show.title = "Show this effect's share in the view";
        show.addEventListener("change", () => { if (show.checked) hidden.delete(effect.name); else hidden.add(effect.name); rebuildPlots(); });
        row.insertCell().append(show);
        const name = row.insertCell();
        const swatch = document.createElement("span");
        swatch.className = "swatch"; swatch.style.background = colour(effect.name);
        name.append(swatch, document.createTextNode(effect.name));
        row.insertCell().textContent = effect.kind;
        row.insertCell(); row.insertCell().className = "num"; row.insertCell().className = "num";
        rows.set(effect.name, row);
      }
      row.cells[3].textContent = effect.phase; row.cells[3].className = "phase-" + effect.phase;
      row.cells[4].textContent = effect.force[0]; row.cells[5].textContent = effect.force[1];
    }
  }

  // ---- The last 10 s: one plot per axis, the total and each shown effect ----
  // Columns kept as the frames arrive, so a frame costs a push per effect.
  const columns = { at: [], total: [[], []], effects: new Map() };  // name -> [xs, ys]
  let plots = null, plotNames = [];
  function pushSample(frame) {
    const at = performance.now() / 1000, row = columns.at.length;
    columns.at.push(at);
    columns.total[0].push(frame.force[0]); columns.total[1].push(frame.force[1]);
    for (const effect of frame.effects) {
      let column = columns.effects.get(effect.name);
      if (!column) { column = [new Array(row).fill(0), new Array(row).fill(0)]; columns.effects.set(effect.name, column); }
      column[0].push(effect.force[0]); column[1].push(effect.force[1]);
    }
    for (const column of columns.effects.values()) if (column[0].length === row) { column[0].push(0); column[1].push(0); }
    let old = 0;
    while (old < columns.at.length && columns.at[old] < at - WINDOW_MS / 1000) old++;
    if (old > 0) {
      columns.at.splice(0, old); columns.total[0].splice(0, old); columns.total[1].splice(0, old);
      for (const column of columns.effects.values()) { column[0].splice(0, old); column[1].splice(0, old); }
    }
  }
  function rebuildPlots() {
    if (plots) { plots.x.destroy(); plots.y.destroy(); plots = null; }
  }
  function makePlot(element, title, names) {
    const series = [{ label: "s" }, { label: "total", stroke: "#263238", width: 2.5 }];
    for (const name of names) series.push({ label: name, stroke: colour(name), width: 1 });
    const width = element.clientWidth || 800;
    return new uPlot({ title: title, width: width, height: 220, series: series,
      scales: { x: { time: false, range: () => { const now = performance.now() / 1000; return [now - WINDOW_MS / 1000, now]; } },
                y: { range: [-10000, 10000] } },
      axes: [{ label: "seconds ago", values: (u, splits) => { const now = performance.now() / 1000; return splits.map((v) => (v - now).toFixed(1)); } },
             { label: "device units" }],
      legend: { show: names.length <= 12 } }, [[], []].concat(names.map(() => [])), element);
  }
  let lastPlotted = 0;
  function drawPlots(frame) {
    const names = frame.effects.filter((e) => !hidden.has(e.name)).map((e) => e.name);
    if (!plots || names.join("\n") !== plotNames.join("\n")) {
      rebuildPlots();
      plotNames = names;
      plots = { x: makePlot(document.getElementById("plot-x"), "Force x", names),
                y: makePlot(document.getElementById("plot-y"), "Force y", names) };
    }
    // The plots follow at up to 20 a second: the screen and its arrow keep every frame.
    const now = performance.now();
    if (now - lastPlotted < 50) return;
    lastPlotted = now;
    for (const [axis, plot] of [[0, plots.x], [1, plots.y]]) {
      const data = [columns.at, columns.total[axis]];
      for (const name of plotNames) data.push(columns.effects.get(name)[axis]);
      plot.setData(data);
    }
  }

  function draw() {
    dirty = false;
    const frame = latest;
    if (!frame) return;
    screenW = frame.screen[0] || screenW; screenH = frame.screen[1] || screenH;
    document.getElementById("time").textContent = frame.t;
    document.getElementById("force-x").textContent = frame.force[0];
    document.getElementById("force-y").textContent = frame.force[1];
    document.getElementById("hand").textContent = frame.hand.join(", ");
    document.getElementById("handle").textContent = frame.handle.join(", ");
    const t0 = performance.now();
    drawScreen(frame);
    const t1 = performance.now();
    drawList(frame);
    const t2 = performance.now();
    drawPlots(frame);
    const t3 = performance.now();
    stats.drawMs.screen += t1 - t0; stats.drawMs.list += t2 - t1; stats.drawMs.plots += t3 - t2;
    stats.framesDrawn++;
    const drawn = performance.now();
    for (const sent of answered) stats.dragLatencies.push(drawn - sent);
    answered = [];
  }
  window.addEventListener("resize", () => { rebuildPlots(); if (latest && !dirty) { dirty = true; requestAnimationFrame(draw); } });
})();

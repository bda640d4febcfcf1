// The hall's page: the table, a page at a time, and the form that sends a bs.zrd.
// Names are the players' own text: they are only ever set as text, never as markup.
"use strict";

const PageSize = 25;
let offset = 0;

function cell(row, text, cls) {
  const td = document.createElement("td");
  td.textContent = text;
  if (cls) td.className = cls;
  row.appendChild(td);
  return td;
}

function length(ms) {
  const s = Math.round(ms / 1000);
  return Math.floor(s / 60) + ":" + String(s % 60).padStart(2, "0");
}

async function showTable() {
  const reply = await fetch(`api/games?offset=${offset}&limit=${PageSize}`);
  const table = await reply.json();
  const body = document.querySelector("#table tbody");
  body.replaceChildren();
  for (const g of table.games) {
    const row = document.createElement("tr");
    row.dataset.id = g.id;
    cell(row, g.rank, "num");
    cell(row, g.name, "name");
    cell(row, g.score, "num");
    cell(row, new Date(g.date).toLocaleString());
    cell(row, length(g.lengthMs), "num");
    const watch = document.createElement("a");
    watch.textContent = "Watch";
    // The game lies in game/; the demo's address is taken from there.
    watch.href = "game/?play=" + encodeURIComponent("../" + g.demo.replace(/^\//, ""));
    cell(row, "").appendChild(watch);
    body.appendChild(row);
  }
  document.getElementById("page").textContent =
    table.total ? `${offset + 1}–${offset + table.games.length} of ${table.total}` : "no games yet";
  document.getElementById("newer").disabled = offset === 0;
  document.getElementById("older").disabled = offset + PageSize >= table.total;
}

async function send(file) {
  const answer = document.getElementById("answer");
  const name = document.getElementById("name").value;
  localStorage.setItem("zr-hall-name", name);
  const form = new FormData();
  form.append("name", name);
  form.append("demo", file, "bs.zrd");
  answer.className = "";
  answer.textContent = "Replaying your game…";
  try {
    const reply = await fetch("api/games", { method: "POST", body: form });
    const a = await reply.json();
    if (reply.status === 201) {
      answer.className = "accepted";
      answer.textContent = `Kept: ${a.score} points, rank ${a.rank}.`;
    } else if (reply.status === 409) {
      answer.textContent = `This game is in the hall already, at rank ${a.rank}.`;
    } else {
      answer.className = "refused";
      answer.textContent = `Not kept (${reply.status}): ${a.error || a.status}`;
    }
  } catch (e) {
    answer.className = "refused";
    answer.textContent = "The hall cannot be reached.";
  }
  showTable();
}

document.getElementById("name").value = localStorage.getItem("zr-hall-name") || "";
document.getElementById("newer").onclick = () => { offset = Math.max(0, offset - PageSize); showTable(); };
document.getElementById("older").onclick = () => { offset += PageSize; showTable(); };
document.getElementById("form").onsubmit = (e) => {
  e.preventDefault();
  const file = document.getElementById("file").files[0];
  if (file) send(file);
};
const drop = document.getElementById("drop");
drop.ondragover = (e) => { e.preventDefault(); drop.classList.add("over"); };
drop.ondragleave = () => drop.classList.remove("over");
drop.ondrop = (e) => {
  e.preventDefault();
  drop.classList.remove("over");
  const file = e.dataTransfer.files[0];
  if (file && document.getElementById("form").reportValidity()) send(file);
};
showTable();

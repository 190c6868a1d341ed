// The game's menu bar, dialogs and message boxes as the page's own elements, made at run time
// from the data the program sends (the menus and dialog templates every platform shares):
// a menu bar with its pop-ups, <dialog> elements with real buttons, a check box, radio
// buttons and a text input, with roles and names for screen readers. The program waits in
// place while one is open, as a Windows program waits in a menu or a modal dialog; what the
// player does here is handed to it (glimora_page_input) and wakes it, and only the program
// closes a dialog. Nothing here changes a control by itself: a click on the check box or a
// radio button is a command, and the program's dialog procedure sets them.
var glimoraUi = {
  MenuOpened: 1, // glimora_page_input kinds, as web_page_ui.cpp reads them
  Command: 2,
  french: false,
  titles: [],       // the menu bar's title buttons
  popups: [],       // their pop-up menus
  menuOpen: false,  // the program waits for the menu's answer
  popup: -1,        // the pop-up shown, -1 for none
  dialogs: [],      // the dialogs made, innermost last
  dialogCount: 0,
  altAlone: false,  // Alt went down and nothing else since
  viaKeyboard: false, // the open menu was opened or used with the keyboard
};
Module['glimoraUi'] = glimoraUi;

glimoraUi.send = function (kind, id) {
  if (typeof _glimora_page_input === 'function') _glimora_page_input(kind, id);
};

// The page's own element for the game, where the focus goes back when a menu or dialog closes.
glimoraUi.focusGame = function () {
  var canvas = document.getElementById('canvas');
  if (canvas && canvas.style.display !== 'none') canvas.focus({ preventScroll: true });
};

// A menu or control text: the letter after the first single '&' is underlined and is its key;
// '&&' shows one '&'. The element's text (its accessible name) has no '&'.
glimoraUi.fillMnemonic = function (element, text) {
  var key = '';
  var shown = '';
  for (var i = 0; i < text.length; i++) {
    var c = text.charAt(i);
    if (c !== '&') { shown += c; continue; }
    var next = text.charAt(i + 1);
    i++;
    if (next === '&') { shown += '&'; continue; }
    if (next === '' || key !== '') { shown += next; continue; }
    element.appendChild(document.createTextNode(shown));
    shown = '';
    var underlined = document.createElement('u');
    underlined.textContent = next;
    element.appendChild(underlined);
    key = next.toLowerCase();
  }
  element.appendChild(document.createTextNode(shown));
  return key;
};

// ---- The menu bar ------------------------------------------------------------------------

// Makes the menu bar from the program's data: {french, popups: [{title, items: [{id, text}]}]}
// (an id of 0 is a separator). The page's language follows the menu's.
glimoraUi.setMenu = function (menu) {
  var ui = glimoraUi;
  if (ui.menuOpen) ui.dropMenu();
  var bar = document.getElementById('menubar');
  ui.popups.forEach(function (popup) { popup.remove(); });
  bar.replaceChildren();
  ui.titles = [];
  ui.popups = [];
  ui.french = !!menu.french;
  if (Module.glimoraLanguage) Module.glimoraLanguage(ui.french);
  bar.setAttribute('role', 'menubar');
  menu.popups.forEach(function (data, t) {
    var title = document.createElement('button');
    title.type = 'button';
    title.id = 'menu-title-' + t;
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    title.setAttribute('aria-controls', 'menu-' + t);
    title.tabIndex = t === 0 ? 0 : -1;
    title.glimoraKey = ui.fillMnemonic(title, data.title);
    if (title.glimoraKey) title.setAttribute('aria-keyshortcuts', 'Alt+' + title.glimoraKey.toUpperCase());
    title.addEventListener('click', function () {
      if (ui.menuOpen && ui.popup === t) ui.leaveMenu(0); // a second click on the open title
      else ui.enterMenu(t, true, false);
    });
    // With a pop-up open, the pointer moving to another title opens that one's.
    title.addEventListener('pointerenter', function (event) {
      if (event.pointerType === 'mouse' && ui.menuOpen && ui.popup >= 0 && ui.popup !== t) ui.selectTitle(t, true);
    });
    bar.appendChild(title);
    ui.titles.push(title);

    var popup = document.createElement('div');
    popup.id = 'menu-' + t;
    popup.className = 'menu-popup';
    popup.setAttribute('role', 'menu');
    popup.setAttribute('aria-labelledby', title.id);
    popup.hidden = true;
    data.items.forEach(function (item) {
      if (item.id === 0) {
        var line = document.createElement('div');
        line.setAttribute('role', 'separator');
        popup.appendChild(line);
        return;
      }
      var choice = document.createElement('button');
      choice.type = 'button';
      choice.setAttribute('role', 'menuitem');
      choice.tabIndex = -1;
      choice.glimoraId = item.id;
      choice.glimoraKey = ui.fillMnemonic(choice, item.text);
      choice.addEventListener('click', function () { ui.leaveMenu(item.id); });
      choice.addEventListener('pointerenter', function (event) {
        if (event.pointerType === 'mouse') choice.focus({ preventScroll: true });
      });
      popup.appendChild(choice);
    });
    document.body.appendChild(popup);
    ui.popups.push(popup);
  });
};

glimoraUi.items = function (t) {
  return Array.prototype.filter.call(glimoraUi.popups[t].children, function (e) { return e.glimoraId; });
};

// The menu opens at title t: the program hears of it and waits until it closes.
glimoraUi.enterMenu = function (t, open, viaKeyboard) {
  var ui = glimoraUi;
  if (ui.dialogs.length || !ui.titles.length) return;
  if (!ui.menuOpen) {
    ui.menuOpen = true;
    ui.viaKeyboard = viaKeyboard;
    document.getElementById('menu-backdrop').hidden = false;
    ui.send(ui.MenuOpened, t);
  }
  ui.selectTitle(t, open, viaKeyboard);
};

// Title t selected, with its pop-up open or not; the focus on its first item or on the title.
glimoraUi.selectTitle = function (t, open) {
  var ui = glimoraUi;
  ui.titles.forEach(function (title, i) {
    title.tabIndex = i === t ? 0 : -1;
    title.setAttribute('aria-expanded', open && i === t ? 'true' : 'false');
  });
  ui.popups.forEach(function (popup, i) { popup.hidden = !(open && i === t); });
  ui.popup = open ? t : -1;
  if (!open) {
    ui.titles[t].focus({ preventScroll: true });
    return;
  }
  // Below its title, inside the window.
  var popup = ui.popups[t], r = ui.titles[t].getBoundingClientRect();
  var room = document.documentElement.clientWidth;
  popup.style.top = r.bottom + 'px';
  popup.style.left = Math.max(0, Math.min(r.left, room - popup.offsetWidth)) + 'px';
  ui.items(t)[0].focus({ preventScroll: true });
};

// The menu closes; the program hears the item chosen (0 for none) and goes on.
glimoraUi.leaveMenu = function (id) {
  var ui = glimoraUi;
  if (!ui.menuOpen) return;
  ui.dropMenu();
  ui.send(ui.Command, id);
  ui.focusGame();
};

// Closes the menu without a word to the program.
glimoraUi.dropMenu = function () {
  var ui = glimoraUi;
  ui.menuOpen = false;
  ui.popup = -1;
  ui.popups.forEach(function (popup) { popup.hidden = true; });
  ui.titles.forEach(function (title, i) {
    title.setAttribute('aria-expanded', 'false');
    title.tabIndex = i === 0 ? 0 : -1;
  });
  // The backdrop stays until the pointer that closed the menu is lifted: its release is the
  // backdrop's, not the game's.
  var backdrop = document.getElementById('menu-backdrop');
  if (!backdrop.glimoraHeld) backdrop.hidden = true;
};

// The letter of a key, from its place on the keyboard (Alt changes what `key` says on some
// systems).
glimoraUi.letter = function (event) {
  var m = /^Key([A-Z])$/.exec(event.code || '');
  if (m) return m[1].toLowerCase();
  return event.key && event.key.length === 1 ? event.key.toLowerCase() : '';
};

// Keys while the menu is open, as in a desktop's menu loop.
glimoraUi.menuKey = function (event) {
  var ui = glimoraUi;
  var t = Math.max(0, ui.titles.indexOf(document.activeElement));
  if (ui.popup >= 0) t = ui.popup;
  var items = ui.popup >= 0 ? ui.items(ui.popup) : [];
  var at = items.indexOf(document.activeElement);
  var count = ui.titles.length;
  // A menu opened with the mouse is closed by Escape; one used with the keyboard goes back to
  // its title first.
  var viaKeyboard = ui.viaKeyboard;
  ui.viaKeyboard = true;
  switch (event.key) {
  case 'Escape':
    if (ui.popup >= 0 && viaKeyboard) ui.selectTitle(t, false);
    else ui.leaveMenu(0);
    return true;
  case 'F10':
  case 'Alt':
    ui.leaveMenu(0);
    return true;
  case 'ArrowLeft':
  case 'ArrowRight':
    ui.selectTitle((t + (event.key === 'ArrowLeft' ? count - 1 : 1)) % count, ui.popup >= 0);
    return true;
  case 'ArrowDown':
  case 'ArrowUp':
    if (ui.popup < 0) {
      ui.selectTitle(t, true);
    } else {
      var step = event.key === 'ArrowDown' ? 1 : items.length - 1;
      items[((at < 0 ? (step === 1 ? -1 : 0) : at) + step) % items.length].focus({ preventScroll: true });
    }
    return true;
  case 'Home':
  case 'End':
    if (items.length) items[event.key === 'Home' ? 0 : items.length - 1].focus({ preventScroll: true });
    return true;
  case 'Enter':
  case ' ':
    if (ui.popup < 0) ui.selectTitle(t, true);
    else if (at >= 0) ui.leaveMenu(items[at].glimoraId);
    return true;
  case 'Tab':
    return true; // the focus stays in the menu until it closes
  }
  var letter = ui.letter(event);
  if (!letter) return false;
  if (ui.popup >= 0) {
    var item = items.filter(function (e) { return e.glimoraKey === letter; })[0];
    if (item) ui.leaveMenu(item.glimoraId);
  } else {
    var title = ui.titles.map(function (e) { return e.glimoraKey; }).indexOf(letter);
    if (title >= 0) ui.selectTitle(title, true);
  }
  return true;
};

// Keys on the page outside dialogs: F10, Alt alone, or Alt with a title's letter open the menu.
glimoraUi.pageKey = function (event) {
  var ui = glimoraUi;
  if (ui.dialogs.length || !ui.titles.length || event.metaKey || event.ctrlKey) return;
  var handled = false;
  if (ui.menuOpen) {
    handled = ui.menuKey(event);
  } else if (event.key === 'F10' && !event.altKey && !event.shiftKey) {
    ui.enterMenu(0, false, true);
    handled = true;
  } else if (event.altKey && event.key !== 'Alt') {
    var letter = ui.letter(event);
    var title = ui.titles.map(function (e) { return e.glimoraKey; }).indexOf(letter);
    if (letter && title >= 0) {
      ui.enterMenu(title, true, true);
      handled = true;
    }
  } else if (ui.titles.indexOf(event.target) >= 0 &&
             (event.key === 'Enter' || event.key === ' ' || event.key === 'ArrowDown')) {
    ui.enterMenu(ui.titles.indexOf(event.target), true, true);
    handled = true;
  }
  ui.altAlone = event.key === 'Alt' && !event.repeat && !ui.menuOpen;
  if (event.key === 'Alt') handled = true; // not the browser's menu
  if (handled) {
    event.preventDefault();
    event.stopPropagation();
  }
};

glimoraUi.pageKeyUp = function (event) {
  var ui = glimoraUi;
  if (event.key !== 'Alt') return;
  var alone = ui.altAlone;
  ui.altAlone = false;
  if (!alone || ui.dialogs.length || ui.menuOpen || !ui.titles.length) return;
  event.preventDefault();
  ui.enterMenu(0, false, true);
};

// ---- Dialogs and message boxes ------------------------------------------------------------

glimoraUi.element = function (tag, className, text) {
  var e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
};

// Makes (without showing) a dialog from a template the program sends: {caption, message,
// controls: [{kind, id, text, x, y, w, h}]}, kind one of button, default, check, radio,
// group, edit, label; places in dialog units. The page lays it out itself, in reading order:
// the rows of labels, fields, check boxes and groups from top to bottom (what shares a row
// stays side by side), then the push buttons in a row. A message box is an alert dialog.
glimoraUi.makeDialog = function (template) {
  var ui = glimoraUi, make = ui.element;
  if (ui.menuOpen) ui.leaveMenu(0);
  var name = 'dialog-' + (++ui.dialogCount);
  var dialog = make('dialog', 'game-dialog');
  if (template.message) dialog.setAttribute('role', 'alertdialog');
  dialog.setAttribute('aria-labelledby', name + '-caption');
  dialog.glimora = { byId: {}, controls: [], focus: null, described: [], ended: false, pressed: [] };
  var state = dialog.glimora;

  var head = make('div', 'dialog-caption');
  var caption = make('h2', '', template.caption);
  caption.id = name + '-caption';
  var close = make('button', 'dialog-close', '\u00D7');
  close.type = 'button';
  close.setAttribute('aria-label', ui.french ? 'Fermer' : 'Close');
  close.addEventListener('click', function () { ui.send(ui.Command, 2); });
  head.appendChild(caption);
  head.appendChild(close);
  dialog.appendChild(head);

  var controls = template.controls.map(function (c, i) {
    var element = null;
    if (c.kind === 'button' || c.kind === 'default') {
      element = make('button', c.kind === 'default' ? 'default' : '');
      element.type = 'button';
      ui.fillMnemonic(element, c.text);
    } else if (c.kind === 'check' || c.kind === 'radio') {
      element = make('button', 'choice ' + c.kind);
      element.type = 'button';
      element.setAttribute('role', c.kind === 'check' ? 'checkbox' : 'radio');
      element.setAttribute('aria-checked', 'false');
      element.appendChild(make('span', 'mark')).setAttribute('aria-hidden', 'true');
      ui.fillMnemonic(element.appendChild(make('span')), c.text);
    } else if (c.kind === 'edit') {
      element = make('input');
      element.type = 'text';
      element.id = name + '-field-' + i;
      element.autocomplete = 'off';
      element.spellcheck = false;
      element.setAttribute('autocapitalize', 'off');
      element.setAttribute('autocorrect', 'off');
      element.setAttribute('enterkeyhint', 'done');
      element.glimoraLimit = Infinity;
      ui.keepLimit(element);
    } else if (c.kind === 'label') {
      element = make('p', 'label');
      element.id = name + '-text-' + i;
      ui.fillMnemonic(element, c.text);
    }
    if (element && c.kind !== 'label') {
      if (c.kind !== 'edit') {
        element.addEventListener('click', function () { ui.send(ui.Command, c.id); });
      }
      element.glimoraId = c.id;
      state.controls.push(element);
      if (state.focus === null) state.focus = element; // the first tab stop
    }
    // A lookup by id finds the first control of that id, as the template's order has it.
    if (element && !(c.id in state.byId)) state.byId[c.id] = element;
    return { data: c, element: element, index: i };
  });

  function inside(c, g) {
    return c.x >= g.x && c.y >= g.y && c.x + c.w <= g.x + g.w && c.y + c.h <= g.y + g.h;
  }
  function byPlace(a, b) { return a.data.y - b.data.y || a.data.x - b.data.x; }
  // What shares a row (overlapping heights) is laid out side by side; a label in the row of a
  // text field names it.
  function rows(list, into) {
    list.sort(byPlace);
    var row = null, bottom = -1;
    list.forEach(function (item) {
      if (!row || item.data.y >= bottom) {
        row = into.appendChild(make('div', 'dialog-row'));
        row.glimoraItems = [];
        bottom = item.data.y + item.data.h;
      }
      bottom = Math.max(bottom, item.data.y + item.data.h);
      row.glimoraItems.push(item);
    });
    Array.prototype.forEach.call(into.children, function (r) {
      if (!r.glimoraItems) return;
      r.glimoraItems.sort(function (a, b) { return a.data.x - b.data.x; });
      r.glimoraItems.forEach(function (item) { r.appendChild(item.element); });
      var field = r.glimoraItems.filter(function (i) { return i.data.kind === 'edit'; })[0];
      r.glimoraItems.forEach(function (item) {
        if (item.data.kind !== 'label') return;
        if (field) {
          var label = make('label', 'label');
          label.htmlFor = field.element.id;
          while (item.element.firstChild) label.appendChild(item.element.firstChild);
          r.replaceChild(label, item.element);
          if (state.byId[item.data.id] === item.element) state.byId[item.data.id] = label;
        } else {
          state.described.push(item.element.id);
        }
      });
    });
  }

  var body = make('div', 'dialog-body');
  var buttons = make('div', 'dialog-buttons');
  var groups = controls.filter(function (c) { return c.data.kind === 'group'; });
  var placed = [];
  groups.forEach(function (g) {
    var members = controls.filter(function (c) {
      return c.element && c.data.kind !== 'group' && c.data.kind !== 'button' &&
             c.data.kind !== 'default' && inside(c.data, g.data);
    });
    var set = make('fieldset');
    var legend = set.appendChild(make('legend'));
    legend.id = name + '-group-' + g.index;
    ui.fillMnemonic(legend, g.data.text);
    if (members.length && members.every(function (m) { return m.data.kind === 'radio'; })) {
      set.setAttribute('role', 'radiogroup');
      set.setAttribute('aria-labelledby', legend.id);
    }
    rows(members, set);
    members.forEach(function (m) { placed.push(m); });
    g.element = set;
  });
  var top = controls.filter(function (c) {
    return c.element && placed.indexOf(c) < 0 && c.data.kind !== 'button' && c.data.kind !== 'default';
  });
  rows(top, body);
  controls.filter(function (c) { return c.data.kind === 'button' || c.data.kind === 'default'; })
    .sort(function (a, b) { return a.data.x - b.data.x; })
    .forEach(function (c) { buttons.appendChild(c.element); });
  dialog.appendChild(body);
  dialog.appendChild(buttons);
  if (state.described.length) dialog.setAttribute('aria-describedby', state.described.join(' '));
  // The tab order is the page's reading order; radio buttons are one stop, at the checked one.
  state.controls = Array.prototype.slice.call(
    dialog.querySelectorAll('.dialog-body button, .dialog-body input, .dialog-buttons button'));
  state.defaultId = 1;
  controls.forEach(function (c) { if (c.data.kind === 'default') state.defaultId = c.data.id; });
  ui.rovingRadios(dialog);

  dialog.addEventListener('keydown', function (event) { ui.dialogKey(dialog, event); });
  // The browser's own close of a dialog (Escape, a phone's back gesture) is the program's to
  // answer, as Escape or the close box: IDCANCEL. Only the program ends a dialog.
  dialog.addEventListener('cancel', function (event) {
    event.preventDefault();
    ui.send(ui.Command, 2);
  });
  dialog.addEventListener('close', function () {
    if (!state.ended && dialog.isConnected) dialog.showModal();
  });
  document.body.appendChild(dialog);
  ui.dialogs.push(dialog);
};

// The innermost dialog, shown modally: the rest of the page takes no input meanwhile.
glimoraUi.showDialog = function () {
  var dialog = glimoraUi.dialogs[glimoraUi.dialogs.length - 1];
  if (!dialog) return;
  dialog.showModal();
  var first = dialog.glimora.focus;
  if (first) first.focus();
};

glimoraUi.closeDialog = function () {
  var ui = glimoraUi;
  var dialog = ui.dialogs.pop();
  if (!dialog) return;
  dialog.glimora.ended = true;
  if (dialog.open) dialog.close();
  dialog.remove();
  var below = ui.dialogs[ui.dialogs.length - 1];
  if (below && below.glimora.focus) below.glimora.focus.focus();
  else ui.focusGame();
};

glimoraUi.control = function (id) {
  var dialog = glimoraUi.dialogs[glimoraUi.dialogs.length - 1];
  return dialog ? dialog.glimora.byId[id] : undefined;
};

glimoraUi.setCheck = function (id, checked) {
  var control = glimoraUi.control(id);
  if (!control || !control.getAttribute('role')) return;
  control.setAttribute('aria-checked', checked ? 'true' : 'false');
  glimoraUi.rovingRadios(control.closest('dialog'));
};

// Each group of radio buttons is one tab stop, at its checked button (else its first).
glimoraUi.rovingRadios = function (dialog) {
  var groups = [];
  dialog.querySelectorAll('[role=radio]').forEach(function (radio) {
    var group = radio.closest('[role=radiogroup]') || dialog;
    if (groups.indexOf(group) < 0) groups.push(group);
  });
  groups.forEach(function (group) {
    var radios = Array.prototype.filter.call(group.querySelectorAll('[role=radio]'), function (r) {
      return (r.closest('[role=radiogroup]') || dialog) === group;
    });
    var stop = radios.filter(function (r) { return r.getAttribute('aria-checked') === 'true'; })[0] || radios[0];
    radios.forEach(function (r) { r.tabIndex = r === stop || r === document.activeElement ? 0 : -1; });
  });
};

glimoraUi.limitText = function (id, limit) {
  var field = glimoraUi.control(id);
  if (field && field.tagName === 'INPUT') field.glimoraLimit = limit > 0 ? limit : Infinity;
};

// The text of a field as the program reads it: composed characters (an accent typed apart
// from its letter is one character, as the desktop's keyboard gives it).
glimoraUi.text = function (id) {
  var field = glimoraUi.control(id);
  if (!field) return '';
  return field.tagName === 'INPUT' ? field.value.normalize('NFC') : field.textContent;
};

// A text field takes at most its limit of characters, as the desktop's field does: what is
// typed beyond it is refused, and what a phone's keyboard composed past it is cut.
glimoraUi.keepLimit = function (field) {
  function length(text) { return Array.from(text.normalize('NFC')).length; }
  field.addEventListener('beforeinput', function (event) {
    if (event.isComposing || !event.inputType || event.inputType.indexOf('insert') !== 0) return;
    var typed = event.data !== null && event.data !== undefined ? event.data :
      (event.dataTransfer ? event.dataTransfer.getData('text/plain') : '');
    typed = typed.split(/[\r\n]/)[0];
    var value = field.value, start = field.selectionStart, end = field.selectionEnd;
    if (start === null) return;
    var room = field.glimoraLimit - length(value.slice(0, start) + value.slice(end));
    var fits = Array.from(typed.normalize('NFC')).slice(0, Math.max(0, room)).join('');
    if (fits === typed && typed === event.data) return;
    event.preventDefault();
    if (!fits && start === end) return;
    field.setRangeText(fits, start, end, 'end');
  });
  function cut() {
    if (length(field.value) > field.glimoraLimit) {
      field.value = Array.from(field.value.normalize('NFC')).slice(0, field.glimoraLimit).join('');
    }
  }
  field.addEventListener('input', function (event) { if (!event.isComposing) cut(); });
  field.addEventListener('compositionend', cut);
};

// Keys in a dialog, as a desktop's dialog takes them: Escape is IDCANCEL (the program decides
// whether that closes it), Enter presses the focused push button or else the default one,
// Tab goes round the dialog's controls, the arrows go to the previous or next control (on a
// radio button: to the other button of its group, clicked).
glimoraUi.dialogKey = function (dialog, event) {
  var ui = glimoraUi, state = dialog.glimora;
  // A key held down as the dialog opened (the one whose press opened it, say) is no press for
  // it: the repeats of a key not pressed since, and what they would type, never reach it.
  var which = event.code || event.key;
  if (state.pressed.indexOf(which) < 0) {
    if (event.repeat) {
      event.preventDefault();
      event.stopPropagation();
      return;
    }
    state.pressed.push(which);
  }
  var target = event.target;
  var stops = state.controls.filter(function (c) { return c.tabIndex >= 0 || c === target; });
  var at = stops.indexOf(target);
  var pushButton = target.tagName === 'BUTTON' && !target.getAttribute('role');
  switch (event.key) {
  case 'Escape':
    event.preventDefault();
    ui.send(ui.Command, 2);
    break;
  case 'Enter':
    if (pushButton || event.isComposing) return; // the button's own click
    event.preventDefault();
    ui.send(ui.Command, state.defaultId);
    break;
  case 'Tab':
    event.preventDefault();
    if (stops.length) stops[(at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length].focus();
    break;
  case 'ArrowLeft':
  case 'ArrowRight':
  case 'ArrowUp':
  case 'ArrowDown': {
    if (target.tagName === 'INPUT') return;
    event.preventDefault();
    var back = event.key === 'ArrowLeft' || event.key === 'ArrowUp';
    if (target.getAttribute('role') === 'radio') {
      var group = target.closest('[role=radiogroup]') || dialog;
      var radios = Array.prototype.slice.call(group.querySelectorAll('[role=radio]'));
      var next = radios[(radios.indexOf(target) + (back ? radios.length - 1 : 1)) % radios.length];
      next.tabIndex = 0;
      next.focus();
      ui.rovingRadios(dialog);
      ui.send(ui.Command, next.glimoraId);
    } else if (stops.length) {
      stops[(at + (back ? stops.length - 1 : 1)) % stops.length].focus();
    }
    break;
  }
  default:
    return;
  }
  event.stopPropagation();
};

// ---- Set up once the page is there --------------------------------------------------------

(function () {
  function setUp() {
    var backdrop = document.createElement('div');
    backdrop.id = 'menu-backdrop';
    backdrop.hidden = true;
    // A press beside the open menu closes it and is used up: neither it nor its release, nor
    // the tap it is, reaches the game below.
    backdrop.addEventListener('pointerdown', function (event) {
      event.preventDefault();
      backdrop.glimoraHeld = true;
      glimoraUi.leaveMenu(0);
    });
    backdrop.addEventListener('touchstart', function (event) { event.preventDefault(); }, { passive: false });
    function lifted() {
      if (!backdrop.glimoraHeld) return;
      setTimeout(function () {
        backdrop.glimoraHeld = false;
        if (!glimoraUi.menuOpen) backdrop.hidden = true;
      }, 0);
    }
    document.addEventListener('pointerup', lifted, true);
    document.addEventListener('pointercancel', lifted, true);
    document.body.appendChild(backdrop);
    window.addEventListener('keydown', glimoraUi.pageKey, true);
    window.addEventListener('keyup', glimoraUi.pageKeyUp, true);
    // The menu closes when the page loses the keyboard, as a desktop's menu does.
    window.addEventListener('blur', function () {
      glimoraUi.altAlone = false;
      glimoraUi.leaveMenu(0);
    });
  }
  if (document.body) setUp();
  else document.addEventListener('DOMContentLoaded', setUp);
})();

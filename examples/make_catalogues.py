#!/usr/bin/env python3
"""Writes the sample catalogues VELTRIS.ENG and VELTRIS.ITA beside this script.

The texts live here as readable source; the files are code page 437 bytes with
LF line ends, because that is what the editor reads. The loader takes at most
30 characters per read, so a text of 30 or more characters would split and
shift every later line: the checks below refuse such a text, and every other
rule the menus depend on, before anything is written.

  make_catalogues.py            write both files
  make_catalogues.py --check    only verify that the files on disk are current
"""
import os
import sys

MAX_TEXT = 29       # the 30-character read keeps 29 characters and the newline
MENU_PLACE = 12     # width of one place on the menu bar
SHORT_FRAME = 17    # titles of the 21-column slot-list and preview frames

# Line index: (English, Italian). Indices missing here are written as empty
# lines: the program does not read them.
TEXTS = {
    0: ("Company file setup", "Impostazioni della ditta"),
    # menu bar: the first letter is the hotkey
    1: ("Headings", "Intestazioni"),
    2: ("Printers", "Stampanti"),
    3: ("Options", "Opzioni"),
    4: ("Setup file", "File setup"),
    5: ("Digit rows", "Numeri"),
    6: ("Reserved", "Riservato"),
    7: ("Exchange", "Valute"),
    8: ("Values", "Lista valori"),
    9: ("Flags", "Abilitazioni"),
    10: ("Auxiliary", "Parametri"),
    11: ("Colours", "Colori"),
    12: ("Maintenance", "Manutenzione"),
    13: ("Arrows,Enter 0=quit ^End=help", "Frecce,Invio 0=esci ^Fine=?"),
    16: ("Invalid choice", "Scelta non valida"),
    19: ("Service line, up to 31 chars", "Riga di servizio, max 31 car."),
    20: ("Line 1: trade or activity", "Riga 1: attività"),
    21: ("Line 2: company name", "Riga 2: ragione sociale"),
    22: ("Line 3: street and number", "Riga 3: via e numero civico"),
    23: ("Line 4: postcode and town", "Riga 4: CAP e città"),
    24: ("Line 5: VAT number", "Riga 5: partita IVA"),
    25: ("Reserved 1: licensed to", "Riservato 1: licenziatario"),
    27: ("Reserved 2: licence number", "Riservato 2: nr. licenza"),
    28: ("Reserved 3: dealer", "Riservato 3: rivenditore"),
    29: ("Name of the first printer", "Nome della prima stampante"),
    30: ("Name of the second printer", "Nome della seconda stampante"),
    31: ("Number formats", "Formati numerici"),
    33: ("Amounts: one digit 0-9", "Importi: una cifra da 0 a 9"),
    34: ("Currency code, 3 letters", "Sigla valuta, 3 lettere"),
    35: ("Exchange rate; '.' = point", "Cambio; '.' per i decimali"),
    # printer codes: on and off sequence of rows 0-9
    36: ("Start of job, hex codes", "Inizio lavoro, codici hex"),
    37: ("End of job, hex codes", "Fine lavoro, codici hex"),
    38: ("Bold on, hex (e.g. 1B45)", "Grassetto sì, es. 1B45"),
    39: ("Bold off, hex (e.g. 1B46)", "Grassetto no, es. 1B46"),
    40: ("Italic on, hex codes", "Corsivo sì, codici hex"),
    41: ("Italic off, hex codes", "Corsivo no, codici hex"),
    42: ("Underline on, hex codes", "Sottolineato sì, codici hex"),
    43: ("Underline off, hex codes", "Sottolineato no, codici hex"),
    44: ("Condensed on, hex codes", "Compresso sì, codici hex"),
    45: ("Condensed off, hex codes", "Compresso no, codici hex"),
    46: ("Wide print on, hex codes", "Espanso sì, codici hex"),
    47: ("Wide print off, hex codes", "Espanso no, codici hex"),
    48: ("Letter quality on, hex", "Alta qualità sì, codici hex"),
    49: ("Letter quality off, hex", "Alta qualità no, codici hex"),
    50: ("12 cpi on, hex codes", "12 caratteri/pollice sì, hex"),
    51: ("12 cpi off, hex codes", "12 caratteri/pollice no, hex"),
    52: ("8 lines/inch on, hex codes", "8 righe/pollice sì, hex"),
    53: ("8 lines/inch off, hex codes", "8 righe/pollice no, hex"),
    54: ("Free code on, hex codes", "Codice libero sì, hex"),
    55: ("Free code off, hex codes", "Codice libero no, hex"),
    56: ("Extension of file SETUP.xxx", "Estensione del file SETUP.xxx"),
    57: ("Up/Down, Enter=edit End=save", "Su/Giù Invio=modifica Fine=ok"),
    # printer parameters 0-7; line 63 is also the code-set prompt's hint
    58: ("Lines per page (0-255)", "Righe per pagina (0-255)"),
    59: ("Top margin, in lines", "Margine superiore, righe"),
    60: ("Left margin, in columns", "Margine sinistro, colonne"),
    61: ("Print columns (80 or 136)", "Colonne di stampa (80/136)"),
    62: ("Printer: 0=first 1=second", "Stampante: 0=prima 1=seconda"),
    63: ("Printer code set: 0 or 1", "Set codici stampante: 0 o 1"),
    64: ("Number of copies", "Numero di copie"),
    65: ("Bottom margin, in lines", "Margine inferiore, righe"),
    # status-line labels: the program prints "<label> nr.<position>"
    67: ("Digit 0-5, position", "Cifra 0-5, posizione"),
    68: ("Up/Down,Enter=digits End=save", "Su/Giù Invio=cifre Fine=salva"),
    73: ("Type the current access word", "Parola d'accesso attuale"),
    74: ("Type the new access word", "Nuova parola d'accesso"),
    75: ("One digit 0-9, Up goes back", "Una cifra 0-9, Su torna"),
    76: ("Value, even place", "Valore, posto pari"),
    77: ("Value, odd place", "Valore, posto dispari"),
    # colour submenu: title, two presets, separator, palette groups 0-3
    78: ("Colours", "Colori"),
    79: ("&Monochrome preset", "&Monocromatico"),
    80: ("Colours &preset", "Colori: &base"),
    81: ("~", "~"),
    82: ("Menus, &dialogs", "Menu e &dialoghi"),
    83: ("Main &window", "&Finestra base"),
    84: ("&Ledger screens", "&Contabilità"),
    85: ("&Screen, status", "&Schermo e stato"),
    86: ("Choose colour", "Scelta colore"),
    87: ("Cannot open the catalogue", "Impossibile aprire catalogo"),
    88: ("Cannot open the company file", "Impossibile aprire file ditta"),
    89: ("Quantities: one digit 0-9", "Quantità: una cifra da 0 a 9"),
    90: ("Short text (20 characters)", "Testo breve (20 caratteri)"),
    92: ("Setup file not found:", "File SETUP non trovato:"),
    93: ("On (hex)", "Attiva (hex)"),
    94: ("Off (hex)", "Disattiva (hex)"),
    # option flags B
    95: ("Ledger options", "Opzioni contabili"),
    96: ("VAT on cash basis", "IVA per cassa"),
    97: ("Quarterly VAT returns", "Liquidazione IVA trimestrale"),
    98: ("Split payment invoices", "Scissione dei pagamenti"),
    99: ("Number ledger pages", "Numera pagine dei registri"),
    100: ("Amounts in two currencies", "Importi in due valute"),
    101: ("Cost centres", "Centri di costo"),
    102: ("Confirm before deleting", "Conferma prima di cancellare"),
    103: ("Keep year-end copies", "Copie di fine anno"),
    104: ("Up/Down, Space=mark, Enter=ok", "Su/Giù Spazio=segna Invio=ok"),
    # printer submenu
    105: ("Printers", "Stampanti"),
    106: ("Printer &names", "&Nomi stampanti"),
    107: ("Printer &codes", "&Codici stampante"),
    108: ("&Parameters", "&Parametri"),
    # heading submenu
    115: ("Headings", "Intestazione"),
    116: ("&Heading lines", "&Righe intestazione"),
    117: ("Company &options", "&Opzioni ditta"),
    118: ("&Setup file", "&File di setup"),
    # options screen, option flags C
    120: ("Options", "Opzioni"),
    121: ("Printer form feed", "Salto pagina stampante"),
    122: ("Ask before printing", "Chiedi conferma di stampa"),
    123: ("Print zero balances", "Stampa saldi a zero"),
    124: ("Round to whole euros", "Arrotonda all'euro"),
    125: ("Beep on errors", "Segnale acustico su errori"),
    # option flags A
    130: ("Company options", "Opzioni ditta"),
    131: ("General ledger", "Contabilità generale"),
    132: ("Customer accounts", "Partitario clienti"),
    133: ("Supplier accounts", "Partitario fornitori"),
    134: ("Stock control", "Magazzino"),
    135: ("Invoicing", "Fatturazione"),
    136: ("Fixed assets", "Cespiti"),
    137: ("Payment schedule", "Scadenzario"),
    138: ("Shared network use", "Uso in rete condivisa"),
}

LINE_COUNT = 139    # lines 0-138; the program reads nothing after 138

MENU_BAR = range(1, 13)
POPUPS = {  # title line: entry lines
    78: [79, 80, 81, 82, 83, 84, 85],
    105: [106, 107, 108],
    115: [116, 117, 118],
}
SEPARATOR = 81
LONGEST = {  # lines shown in narrow places
    82: SHORT_FRAME, 83: SHORT_FRAME, 84: SHORT_FRAME, 85: SHORT_FRAME,
    80: SHORT_FRAME + 1, 86: SHORT_FRAME + 1,     # preview frame interior
    **{i: 26 for i in range(131, 139)},          # labels end at the box edge
}
LANGUAGES = (("ENG", 0), ("ITA", 1))


def check(texts, lang):
    """Returns the list of rule violations of one language's texts."""
    errors = []

    def fail(i, why):
        errors.append(f"{lang} line {i} {texts[i]!r}: {why}")

    for i, t in enumerate(texts):
        if len(t) > MAX_TEXT:
            fail(i, f"{len(t)} characters, at most {MAX_TEXT}")
        try:
            raw = t.encode("cp437")
        except UnicodeEncodeError:
            fail(i, "not representable in code page 437")
            continue
        if any(b < 32 or b == 127 for b in raw):
            fail(i, "control byte")
        if "%" in t:
            fail(i, "'%' would be taken for a format")
        if i in LONGEST and len(t) > LONGEST[i]:
            fail(i, f"longer than {LONGEST[i]}, the room it is shown in")
    seen = {}
    for i in MENU_BAR:
        t = texts[i]
        if not t or not ("A" <= t[0] <= "Z"):
            fail(i, "menu-bar text must begin with a capital letter")
            continue
        if len(t) > MENU_PLACE:
            fail(i, f"longer than its {MENU_PLACE}-column place")
        if t[0] in seen:
            fail(i, f"hotkey {t[0]} already used by line {seen[t[0]]}")
        seen[t[0]] = i
    for title, entries in POPUPS.items():
        if "&" in texts[title]:
            fail(title, "a pop-up title carries no hotkey")
        keys = {}
        for i in entries:
            t = texts[i]
            if i == SEPARATOR:
                if not t.startswith("~"):
                    fail(i, "separator must begin with '~'")
                continue
            if t.startswith("~"):
                fail(i, "only the separator may begin with '~'")
            if t.count("&") != 1 or t.endswith("&"):
                fail(i, "needs exactly one '&' followed by its hotkey")
                continue
            key = t[t.index("&") + 1].upper()
            if not key.isalnum():
                fail(i, "hotkey must be a letter or digit")
            if key in keys:
                fail(i, f"hotkey {key} already used by line {keys[key]}")
            keys[key] = i
    for i, t in enumerate(texts):
        if "&" in t and not any(i in e for e in POPUPS.values()):
            fail(i, "'&' outside a pop-up entry is shown as is")
    return errors


def load_like_the_program(data):
    """The loader's rule: reads of at most 30 characters, last one dropped."""
    lines, pos = [], 0
    while pos < len(data) and len(lines) < 260:
        end = data.find(b"\n", pos, pos + 30)
        chunk = data[pos:end + 1] if end >= 0 else data[pos:pos + 30]
        pos += len(chunk)
        lines.append(chunk[:-1] if chunk[:1] != b"\0" else b"")
    return lines


def build(column):
    texts = [TEXTS.get(i, ("", ""))[column] for i in range(LINE_COUNT)]
    return texts, "".join(t + "\n" for t in texts).encode("cp437")


def main():
    only_check = sys.argv[1:] == ["--check"]
    here = os.path.dirname(os.path.abspath(__file__))
    assert max(TEXTS) < LINE_COUNT
    errors, outputs = [], []
    for lang, column in LANGUAGES:
        texts, data = build(column)
        errors += check(texts, lang)
        if load_like_the_program(data) != [t.encode("cp437") for t in texts]:
            errors.append(f"{lang}: the loader would shift the line indices")
        outputs.append((os.path.join(here, "VELTRIS." + lang), data))
    if errors:
        print("\n".join(errors), file=sys.stderr)
        return 1
    stale = []
    for path, data in outputs:
        if only_check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(path)
            except OSError:
                stale.append(path)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date, run make_catalogues.py: " + " ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

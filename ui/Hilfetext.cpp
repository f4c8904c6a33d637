#include "ui/Hilfetext.h"

#include <sstream>

namespace {
const char* const HilfeHtml = R"(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Kiboru – Hilfe</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.45; color: #222; }
h1, h2 { color: #5a3a22; }
table { border-collapse: collapse; }
td, th { border: 1px solid #c9b79c; padding: 0.2em 0.6em; text-align: left; }
th { background: #f3e7d3; }
code { background: #f6f1e7; padding: 0 0.2em; }
</style>
</head>
<body>
<h1>Kiboru</h1>
<p>Kiboru ist ein Programm zum Go-Spielen auf einem Brett mit 7 x 7 Punkten gegen den eingebauten
Computerspieler. Man kann Partien speichern und wieder öffnen, in einer Partie vor- und zurückgehen,
Varianten ausprobieren und Stellungen von Hand aufbauen.</p>

<h2>Spielregeln</h2>
<ul>
<li>Schwarz beginnt. Wer am Zug ist, setzt einen Stein auf einen leeren Punkt oder passt.</li>
<li>Gegnerische Ketten ohne Freiheiten werden vom Brett genommen.</li>
<li>Selbstmord ist verboten; ein Zug, der schlägt, ist aber kein Selbstmord.</li>
<li>Ein Zug, der eine frühere Stellung der Partie wiederherstellt, ist verboten – gleich, wer am Zug ist.</li>
<li>Zwei Pässe hintereinander beenden die Partie.</li>
<li>Gezählt wird die Fläche: eigene Steine und die von ihnen umschlossenen leeren Punkte. Es gibt kein Komi.
Bei gleicher Punktzahl haben beide gewonnen.</li>
</ul>

<h2>Züge eingeben</h2>
<p>Klicken Sie auf einen Punkt des Bretts, oder tippen Sie den Zug in das kleine Eingabefeld in der
Partienotation: zuerst die Spalte (<code>a</code> bis <code>g</code>), dann die Reihe (<code>1</code> bis
<code>7</code>). Ein Minuszeichen <code>-</code> bedeutet Passen. Nach Ihrem Zug antwortet der Computer.
Gibt es in der Partie schon einen Folgezug, zeigt das Feld ihn an; blau geschriebene Züge sind die
Fortsetzung, die beim Vorwärtsgehen nachgespielt wird.</p>

<h2>Tasten</h2>
<table>
<tr><th>Taste</th><th>Wirkung</th></tr>
<tr><td>a–g, 1–7</td><td>Zug eingeben</td></tr>
<tr><td>-</td><td>Passen</td></tr>
<tr><td>F9</td><td>Der Computer übernimmt die Seite am Zug und berechnet einen Zug</td></tr>
<tr><td>Strg+T</td><td>Tipp: der Zug der Engine für die Seite am Zug wird auf dem Brett markiert</td></tr>
<tr><td>Tab / Umschalt+Tab, Pfeil rechts / links</td><td>Einen Zug vor / zurück</td></tr>
<tr><td>Pfeil ab / auf</td><td>Zwei Züge vor / zurück</td></tr>
<tr><td>Strg+Pos1 / Strg+Ende</td><td>An den Anfang / an das Ende der Partie</td></tr>
<tr><td>Strg+R / Strg+L</td><td>Nächste / vorherige Variante an dieser Stelle</td></tr>
<tr><td>Bild auf / Bild ab</td><td>Notation blättern</td></tr>
<tr><td>Esc, Rücktaste, Entf</td><td>Eingabe verwerfen bzw. korrigieren</td></tr>
<tr><td>Strg+N, Strg+O, Strg+S, Strg+Umschalt+S</td><td>Neu, Öffnen, Speichern, Speichern unter</td></tr>
<tr><td>Strg+1 … Strg+4</td><td>Zuletzt benutzte Dateien</td></tr>
<tr><td>Strg+K, F6</td><td>Spielstufen, Engines wählen</td></tr>
<tr><td>Strg+E</td><td>Stellung eingeben</td></tr>
<tr><td>Alt+2</td><td>Engine-Info</td></tr>
<tr><td>F1</td><td>Diese Hilfe</td></tr>
<tr><td>Strg+Q, Alt+X</td><td>Beenden</td></tr>
</table>

<h2>Menüs</h2>
<p>Die Menüs erreichen Sie über den Knopf „Menü“ ganz links in der Werkzeugleiste.</p>
<ul>
<li><b>Datei</b>: Neu, Öffnen, Speichern, Speichern unter, die vier zuletzt benutzten Dateien, Beenden.</li>
<li><b>Zug</b>: Passen, Berechnen, Tipp, Erster Zug, Zurück, Vor, Letzter Zug.</li>
<li><b>Ansicht</b>: Engine-Info mit Suchtiefe, bestem Zug und Stellungen pro Sekunde.</li>
<li><b>Extra</b>: Spielstufen (Level 1 bis 8 oder maximal), das Anpassen der Werkzeugleiste, die
GTP-Engines (andere Go-Programme eintragen, testen und entfernen) und „Partie analysieren“: jede
Stellung der Partie wird bewertet, neben dem Brett zeigt eine Grafik den Vorsprung von Schwarz Zug
für Zug, und Züge, die 3 Punkte oder mehr verloren, werden markiert und aufgelistet. Ein Klick in die
Grafik geht zu diesem Halbzug.</li>
<li><b>Hilfe</b>: diese Seite und Informationen über das Programm.</li>
</ul>

<h2>Installation und Dateien</h2>
<p>Das Programm legt beim ersten Start seinen Datenordner an. Darin liegen die Konfigurationsdatei,
die Datei <code>autosave.go</code> mit der zuletzt unbenannten Partie und der Ordner <code>Engines</code>
mit den Bewertungskonstanten des Computerspielers (<code>Default7x7.werte.cfg</code>). Diese Datei darf
mit einem Texteditor verändert werden; fehlt sie, wird sie beim nächsten Start neu geschrieben.</p>
</body>
</html>
)";
} // namespace

std::vector<std::string> HilfeTextZeilen() {
    std::vector<std::string> zeilen;
    std::istringstream ein(HilfeHtml);
    for (std::string z; std::getline(ein, z);)
        zeilen.push_back(z);
    return zeilen;
}

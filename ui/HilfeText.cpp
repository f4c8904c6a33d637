#include "ui/HilfeText.h"

#include <sstream>

const std::string& HilfeHtml() {
    static const std::string text = R"html(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Kiboru – Hilfe</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.45; color: #222; }
h1 { color: #744d38; }
h2 { color: #744d38; border-bottom: 1px solid #dcb35c; }
table { border-collapse: collapse; }
td, th { border: 1px solid #ccc; padding: 0.2em 0.6em; text-align: left; vertical-align: top; }
code, kbd { background: #f4ecd8; padding: 0 0.2em; }
</style>
</head>
<body>
<h1>Kiboru</h1>
<p>Kiboru spielt Go auf einem Brett mit 7&nbsp;×&nbsp;7 Punkten. Sie spielen gegen den Computer oder lassen
ihn für jede Seite einen Zug berechnen, gehen in der Partie und ihren Varianten vor und zurück, bauen
Stellungen auf, speichern Partien als <code>.go</code>-Dateien und lesen Partien aus <code>.pgn</code>-Dateien.</p>

<h2>Spielregeln</h2>
<ul>
<li>Schwarz beginnt. Wer am Zug ist, setzt einen Stein auf einen leeren Punkt oder passt.</li>
<li>Gegnerische Ketten, die keine Freiheit mehr haben, werden vom Brett genommen.</li>
<li>Selbstmord ist verboten: ein Zug, nach dem die eigene Kette keine Freiheit hat. Ein Zug, der schlägt,
ist kein Selbstmord.</li>
<li>Ein Zug, der eine frühere Stellung der Partie wiederherstellt, ist verboten – gleich, wer dann am Zug
ist (also auch das sofortige Zurückschlagen im Ko).</li>
<li>Passen beide Seiten nacheinander, ist die Partie zu Ende.</li>
<li>Gezählt wird die Fläche: eigene Steine plus die leeren Punkte, die nur von eigenen Steinen umgeben sind.
Es gibt kein Komi. Bei gleicher Punktzahl haben beide gewonnen. Tote Steine werden nicht erkannt: sie
zählen so, wie sie stehen – schlagen Sie sie also vor dem Passen.</li>
</ul>

<h2>So wird gespielt</h2>
<p>Klicken Sie auf einen Punkt des Bretts, oder tippen Sie den Zug als Spalte und Reihe in das Zugfeld
der Notation (zum Beispiel <kbd>d</kbd> <kbd>4</kbd>). Ein Minuszeichen <kbd>-</kbd> passt. Danach
antwortet der Computer. Mit <kbd>F9</kbd> rechnet der Computer für die Seite am Zug, und Sie übernehmen
die andere Farbe. Eine Berechnung lässt sich mit „Abbrechen“ beenden; dann sind Sie wieder am Zug.</p>
<p>Zurückgenommene Züge bleiben in der Partie und erscheinen blau hinter dem Zugfeld; spielen Sie an
derselben Stelle einen anderen Zug, entsteht eine Variante.</p>

<h2>Tasten</h2>
<table>
<tr><th>Taste</th><th>Wirkung</th></tr>
<tr><td><kbd>a</kbd>…<kbd>g</kbd>, <kbd>1</kbd>…<kbd>7</kbd></td><td>Zug eingeben (Spalte, dann Reihe)</td></tr>
<tr><td><kbd>-</kbd></td><td>Passen</td></tr>
<tr><td><kbd>Rücktaste</kbd>, <kbd>Esc</kbd></td><td>Eingabe korrigieren, Eingabe verwerfen</td></tr>
<tr><td><kbd>F9</kbd></td><td>Zug berechnen</td></tr>
<tr><td><kbd>Tab</kbd> / <kbd>Umschalt+Tab</kbd></td><td>einen Zug vor / zurück</td></tr>
<tr><td><kbd>→</kbd> / <kbd>←</kbd></td><td>einen Zug vor / zurück</td></tr>
<tr><td><kbd>↓</kbd> / <kbd>↑</kbd></td><td>zwei Züge vor / zurück</td></tr>
<tr><td><kbd>Strg+Pos1</kbd> / <kbd>Strg+Ende</kbd></td><td>an den Anfang / an das Ende der Partie</td></tr>
<tr><td><kbd>Bild↑</kbd> / <kbd>Bild↓</kbd></td><td>Notation blättern</td></tr>
<tr><td><kbd>Strg+R</kbd> / <kbd>Strg+L</kbd></td><td>nächste / vorherige Variante</td></tr>
<tr><td><kbd>Strg+N</kbd>, <kbd>Strg+O</kbd>, <kbd>Strg+S</kbd>, <kbd>Strg+Umschalt+S</kbd></td><td>Neu, Öffnen, Speichern, Speichern unter</td></tr>
<tr><td><kbd>Strg+1</kbd>…<kbd>Strg+4</kbd></td><td>zuletzt benutzte Dateien</td></tr>
<tr><td><kbd>Strg+E</kbd></td><td>Stellungseingabe</td></tr>
<tr><td><kbd>Strg+K</kbd></td><td>Spielstärke (Level)</td></tr>
<tr><td><kbd>F6</kbd></td><td>Engines wählen</td></tr>
<tr><td><kbd>Alt+2</kbd></td><td>Engine-Info</td></tr>
<tr><td><kbd>Umschalt+F6</kbd></td><td>Werkzeugleiste anpassen</td></tr>
<tr><td><kbd>F1</kbd></td><td>diese Hilfe</td></tr>
<tr><td><kbd>Strg+Q</kbd>, <kbd>Alt+X</kbd></td><td>Beenden</td></tr>
</table>

<h2>Menüs</h2>
<p>Die Menüs erreichen Sie über die Schaltfläche „Menü“ ganz links in der Werkzeugleiste.</p>
<ul>
<li><b>Datei</b>: Neu, Öffnen, Speichern, Speichern unter, die vier zuletzt benutzten Dateien, Beenden.</li>
<li><b>Zug</b>: Passen, Berechnen, Erster Zug, Zurück, Vor, Letzter Zug.</li>
<li><b>Ansicht</b>: Engine Info – Suchtiefe, bester Zug, Anzahl Stellungen und Tempo der laufenden Berechnung.</li>
<li><b>Extra</b>: Level (Spielstärke für Schwarz und Weiß), Anpassen (Werkzeugleiste, Hinweise, Menüleiste).</li>
<li><b>Hilfe</b>: diese Seite und die Programminformation.</li>
</ul>
<p>Eine Stellung bauen Sie mit <kbd>Strg+E</kbd> auf: Stein wählen, auf die Punkte klicken oder die
Stellung als Text schreiben (<code>W:</code> und die weißen Steine, <code>S:</code> und die schwarzen),
dann wählen, wer am Zug ist. Die Spielstärke reicht von Level 1 bis Maximal; der Level ist die
größte Suchtiefe des Computers.</p>

<h2>Wo die Dateien liegen</h2>
<ul>
<li>Partien speichern Sie, wohin Sie wollen; vorgeschlagen wird Ihr Dokumentenordner (oder darin der Ordner „Go“).</li>
<li>Im Datenordner des Programms – <code>$XDG_DATA_HOME/Quennel/Kiboru</code>, ohne diese Variable
<code>~/.local/share/Quennel/Kiboru</code> – liegen die Einstellungen (<code>Kiboru.ini</code>), die automatisch
gespeicherte unbenannte Partie (<code>autosave.go</code>) und der Ordner <code>Engines</code> mit den
Konstanten der Stellungsbewertung (<code>Default7x7.werte.cfg</code>; das Programm schreibt daneben
<code>Default7x7.werte.out</code> mit den Werten, die es wirklich benutzt).</li>
<li>Diese Hilfeseite (<code>Kiboru.htm</code>) liegt neben dem Programm oder, wenn dort nicht geschrieben
werden darf, im Datenordner.</li>
</ul>
<p>Beim Beenden wird eine unbenannte Partie ohne Rückfrage als <code>autosave.go</code> gespeichert und beim
nächsten Start wieder gezeigt; eine geänderte benannte Partie fragt vorher.</p>
</body>
</html>
)html";
    return text;
}

std::vector<std::string> HilfeZeilen() {
    std::vector<std::string> zeilen;
    std::istringstream ein(HilfeHtml());
    std::string z;
    while (std::getline(ein, z)) zeilen.push_back(z);
    return zeilen;
}

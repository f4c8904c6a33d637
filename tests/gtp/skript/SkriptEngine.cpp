// A GTP engine for the tests that plays what its arguments say:
//   --log DATEI        every command received (without its id) is appended, first "pid N"
//   --zuege A,B,...    the answers to genmove, one after the other (then "pass"); "A,B;C,D"
//                      gives the first start of the program A,B, the second C,D (counted by
//                      the log's "pid" lines):
//                      a vertex or any text answers "= text", "!text" answers "? text",
//                      "haengen" never answers, "absturz" ends without an answer,
//                      "spaet:MS:A" answers A after MS milliseconds
//   --ohne BEFEHL      does not know this command (repeatable); --mit BEFEHL knows one more
//   --streu            a stray line before every answer
//   --ohne-id          answers without the command's id
//   --absturz-bei B    ends without an answer when command B arrives
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
std::vector<std::string> Teile(const std::string& s, char t) {
    std::vector<std::string> v;
    std::stringstream ss(s);
    for (std::string x; std::getline(ss, x, t);)
        v.push_back(x);
    return v;
}
} // namespace

int main(int argc, char** argv) {
    std::string log, absturzBei, zuegeText;
    std::vector<std::string> zuege;
    std::set<std::string> bekannt = {
        "protocol_version", "name", "version", "known_command", "list_commands", "quit",   "boardsize",
        "clear_board",      "komi", "play",    "genmove",       "undo",          "loadsgf"};
    bool streu = false, mitId = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const std::string w = i + 1 < argc ? argv[i + 1] : "";
        if (a == "--log")
            log = w, ++i;
        else if (a == "--zuege")
            zuegeText = w, ++i;
        else if (a == "--ohne")
            bekannt.erase(w), ++i;
        else if (a == "--mit")
            bekannt.insert(w), ++i;
        else if (a == "--absturz-bei")
            absturzBei = w, ++i;
        else if (a == "--streu")
            streu = true;
        else if (a == "--ohne-id")
            mitId = false;
    }
    const auto protokoll = [&](const std::string& z) {
        if (log.empty()) return;
        std::ofstream(log, std::ios::app) << z << '\n';
    };
    if (!log.empty()) {
        std::ifstream f(log);
        std::size_t starts = 0;
        for (std::string z; std::getline(f, z);)
            starts += z.rfind("pid ", 0) == 0;
        const auto abschnitte = Teile(zuegeText, ';');
        if (abschnitte.size() == 1) starts = 0; // one script for every start
        zuege = starts < abschnitte.size() ? Teile(abschnitte[starts], ',') : std::vector<std::string>{};
    } else {
        zuege = Teile(zuegeText, ',');
    }
    protokoll("pid " + std::to_string(::getpid()));
    std::size_t naechster = 0;
    for (std::string zeile; std::getline(std::cin, zeile);) {
        std::string id;
        std::size_t i = 0;
        while (i < zeile.size() && std::isdigit(static_cast<unsigned char>(zeile[i])))
            id += zeile[i++];
        std::string befehl = zeile.substr(i);
        befehl.erase(0, befehl.find_first_not_of(' '));
        if (befehl.empty()) continue;
        const std::string name = befehl.substr(0, befehl.find(' '));
        const std::string arg = befehl.size() > name.size() ? befehl.substr(name.size() + 1) : "";
        if (name == "loadsgf") {
            std::ifstream f(arg);
            std::string inhalt((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
            while (!inhalt.empty() && inhalt.back() == '\n')
                inhalt.pop_back();
            protokoll(befehl + " " + inhalt);
        } else {
            protokoll(befehl);
        }
        if (name == absturzBei) {
            std::cerr << "Skriptengine: absichtlicher Absturz bei " << name << std::endl;
            std::_Exit(3);
        }
        std::string antwort = "=";
        if (!bekannt.count(name)) {
            antwort = "? unknown command";
        } else if (name == "known_command") {
            antwort += bekannt.count(arg) ? " true" : " false";
        } else if (name == "name") {
            antwort += " Skriptengine";
        } else if (name == "version") {
            antwort += " 1.0";
        } else if (name == "boardsize") {
            if (arg != "7") antwort = "? unacceptable size";
        } else if (name == "genmove") {
            std::string z = naechster < zuege.size() ? zuege[naechster++] : "pass";
            if (z == "haengen") {
                for (;;)
                    std::this_thread::sleep_for(std::chrono::hours(1));
            } else if (z == "absturz") {
                std::cerr << "Skriptengine: absichtlicher Absturz" << std::endl;
                std::abort();
            } else if (z.rfind("spaet:", 0) == 0) {
                const auto t = Teile(z, ':');
                std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(t.at(1).c_str())));
                z = t.at(2);
            }
            antwort = z[0] == '!' ? "? " + z.substr(1) : "= " + z;
        }
        if (streu) std::cout << "Skriptengine denkt laut nach\n\n";
        std::cout << antwort[0] << (mitId ? id : "") << antwort.substr(1) << "\n\n" << std::flush;
        if (name == "quit") return 0;
    }
    return 0;
}

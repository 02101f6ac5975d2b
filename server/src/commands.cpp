#include "commands.h"

#include <csignal>
#include <iostream>
#include <optional>
#include <ostream>
#include <termios.h>
#include <unistd.h>

#include "accounts.h"
#include "catalogue_folder.h"
#include "http_server.h"
#include "sqlite_store.h"
#include "store/cp1250.h"
#include "store/file_io.h"

namespace lexivo::server {
namespace {

constexpr const char* kUsage =
    "Použití:\n"
    "  lexivo-server init DATABÁZE\n"
    "      vytvoří novou databázi serveru\n"
    "  lexivo-server import DATABÁZE KATALOG SLOŽKA\n"
    "      nahraje balíčky ze složky celek/podskupina/balíček; KATALOG je thematic,\n"
    "      textbooks nebo fiction; balíček stejného jména dostane nová slova a ponechá si číslo\n"
    "  lexivo-server add-user DATABÁZE JMÉNO\n"
    "      založí uživatele; heslo přečte ze standardního vstupu\n"
    "  lexivo-server store-add DATABÁZE JMÉNO SOUBOR\n"
    "      přidá slova ze souboru balíčku do Zásobníku uživatele\n"
    "  lexivo-server list DATABÁZE\n"
    "      vypíše katalogy a uživatele\n"
    "  lexivo-server serve DATABÁZE [--port N] [--address ADRESA]\n"
    "      spustí server (výchozí adresa 127.0.0.1, port 8080); ukončí se Ctrl+C\n"
    "Soubory balíčků jsou v kódování Windows-1250, řádek na slovo: anglicky|česky|příklad|znalost\n";

struct CatalogueName {
    const char* argument;
    CatalogueKind kind;
    const char* heading;
};

constexpr CatalogueName kCatalogues[] = {
    {"thematic", CatalogueKind::Thematic, "Tematické balíčky"},
    {"textbooks", CatalogueKind::Textbooks, "Balíčky z učebnic"},
    {"fiction", CatalogueKind::Fiction, "Balíčky z knih"},
};

class Command {
public:
    Command(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err)
        : arguments_(arguments), in_(in), out_(out), err_(err)
    {
    }

    int run()
    {
        const std::string name = arguments_.empty() ? std::string() : arguments_[0];
        if (name == "init" && arguments_.size() == 2) {
            return init();
        }
        if (name == "import" && arguments_.size() == 4) {
            return import();
        }
        if (name == "add-user" && arguments_.size() == 3) {
            return addUser();
        }
        if (name == "store-add" && arguments_.size() == 4) {
            return storeAdd();
        }
        if (name == "list" && arguments_.size() == 2) {
            return list();
        }
        if (name == "serve" && arguments_.size() >= 2) {
            return serve();
        }
        err_ << kUsage;
        return 2;
    }

private:
    int fail(const std::string& text)
    {
        err_ << "lexivo-server: " << text << '\n';
        return 1;
    }

    std::unique_ptr<SqliteStore> openStore()
    {
        Result<std::unique_ptr<SqliteStore>> store = SqliteStore::open(arguments_[1]);
        if (!store) {
            fail(store.message().text);
            return nullptr;
        }
        return std::move(store).value();
    }

    int init()
    {
        Result<std::unique_ptr<SqliteStore>> store = SqliteStore::create(arguments_[1]);
        if (!store) {
            return fail(store.message().text);
        }
        out_ << "Databáze " << arguments_[1] << " je vytvořená.\n";
        return 0;
    }

    int import()
    {
        const CatalogueName* catalogue = nullptr;
        for (const CatalogueName& candidate : kCatalogues) {
            if (arguments_[2] == candidate.argument) {
                catalogue = &candidate;
            }
        }
        if (catalogue == nullptr) {
            return fail("Katalog „" + arguments_[2] + "“ neznám; je to thematic, textbooks, nebo fiction.");
        }
        const std::unique_ptr<SqliteStore> store = openStore();
        if (!store) {
            return 1;
        }
        Result<std::vector<CataloguePackage>> packages = readCatalogueFolder(arguments_[3]);
        if (!packages) {
            return fail(packages.message().text);
        }
        Result<SqliteStore::ImportSummary> summary = store->importCatalogue(catalogue->kind, *packages);
        if (!summary) {
            return fail(summary.message().text);
        }
        out_ << catalogue->heading << ": nových balíčků " << summary->added << ", přepsaných " << summary->replaced
             << ".\n";
        return 0;
    }

    // The password from standard input: one line, not echoed when typed at a terminal.
    std::optional<std::string> readPassword()
    {
        const bool terminal = &in_ == &std::cin && ::isatty(STDIN_FILENO);
        termios saved{};
        if (terminal) {
            err_ << "Heslo: " << std::flush;
            ::tcgetattr(STDIN_FILENO, &saved);
            termios silent = saved;
            silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            ::tcsetattr(STDIN_FILENO, TCSANOW, &silent);
        }
        std::string password;
        const bool read = static_cast<bool>(std::getline(in_, password));
        if (terminal) {
            ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
            err_ << '\n';
        }
        if (!read) {
            return std::nullopt;
        }
        if (!password.empty() && password.back() == '\r') {
            password.pop_back();
        }
        return password;
    }

    int addUser()
    {
        const std::string& name = arguments_[2];
        if (const auto problem = loginTextProblem(name, "Jméno")) {
            return fail(*problem);
        }
        const std::optional<std::string> password = readPassword();
        if (!password) {
            return fail("Na standardním vstupu chybí heslo.");
        }
        if (const auto problem = loginTextProblem(*password, "Heslo")) {
            return fail(*problem);
        }
        const std::unique_ptr<SqliteStore> store = openStore();
        if (!store) {
            return 1;
        }
        const std::string nameBytes = encodeCp1250(name).value();
        Result<std::string> hash = hashPassword(encodeCp1250(*password).value());
        if (!hash) {
            return fail(hash.message().text);
        }
        if (Status added = store->addAccount(name, accountKey(nameBytes), *hash); !added) {
            return fail(added.message().text);
        }
        out_ << "Uživatel " << name << " je založen.\n";
        return 0;
    }

    int storeAdd()
    {
        const std::unique_ptr<SqliteStore> store = openStore();
        if (!store) {
            return 1;
        }
        const Result<std::string> bytes = readFileBytes(arguments_[3]);
        if (!bytes) {
            return fail("Soubor " + arguments_[3] + " nelze přečíst.");
        }
        Result<std::vector<WordRecord>> words = parseWordFile(*bytes);
        if (!words) {
            return fail(arguments_[3] + ": " + words.message().text);
        }
        Result<std::string> nameBytes = encodeCp1250(arguments_[2]);
        if (!nameBytes) {
            return fail(nameBytes.message().text);
        }
        Result<int> total = store->addStoreWords(accountKey(*nameBytes), *words);
        if (!total) {
            return fail(total.message().text);
        }
        out_ << "Do Zásobníku přibylo slov: " << words->size() << ", celkem jich je " << *total << ".\n";
        return 0;
    }

    int list()
    {
        const std::unique_ptr<SqliteStore> store = openStore();
        if (!store) {
            return 1;
        }
        for (const CatalogueName& catalogue : kCatalogues) {
            Result<std::vector<SqliteStore::ListedPackage>> packages = store->listCatalogue(catalogue.kind);
            if (!packages) {
                return fail(packages.message().text);
            }
            out_ << catalogue.heading << " (" << catalogue.argument << "):\n";
            for (const SqliteStore::ListedPackage& package : *packages) {
                out_ << "  " << package.entry.id << "  " << package.entry.area << " / " << package.entry.subgroup
                     << " / " << package.entry.title << "  (slov: " << package.words << ")\n";
            }
        }
        Result<std::vector<SqliteStore::ListedAccount>> accounts = store->listAccounts();
        if (!accounts) {
            return fail(accounts.message().text);
        }
        out_ << "Uživatelé:\n";
        for (const SqliteStore::ListedAccount& account : *accounts) {
            out_ << "  " << account.name << "  (slov v Zásobníku: " << account.storeWords << ")\n";
        }
        return 0;
    }

    std::optional<ListenAddress> listenAddress()
    {
        ListenAddress address;
        for (std::size_t i = 2; i < arguments_.size(); i += 2) {
            if (i + 1 >= arguments_.size()) {
                return std::nullopt;
            }
            const std::string& value = arguments_[i + 1];
            if (arguments_[i] == "--address") {
                address.host = value;
            } else if (arguments_[i] == "--port" && !value.empty() && value.size() <= 5 &&
                       value.find_first_not_of("0123456789") == std::string::npos && std::stoi(value) <= 65535) {
                address.port = static_cast<std::uint16_t>(std::stoi(value));
            } else {
                return std::nullopt;
            }
        }
        return address;
    }

    int serve()
    {
        const std::optional<ListenAddress> address = listenAddress();
        if (!address) {
            err_ << kUsage;
            return 2;
        }
        const std::unique_ptr<SqliteStore> store = openStore();
        if (!store) {
            return 1;
        }
        // Ctrl+C and a service manager's stop are awaited here rather than killing the process
        // mid-request; every thread started later inherits the blocked signals.
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

        ScriptService service(*store);
        Result<std::unique_ptr<HttpServer>> server = HttpServer::start(service, *address);
        if (!server) {
            return fail(server.message().text);
        }
        out_ << "Server Lexivo naslouchá na " << address->host << ":" << (*server)->port()
             << " (ukončíte ho Ctrl+C).\n"
             << std::flush;
        int received = 0;
        sigwait(&stopSignals, &received);
        out_ << "Server končí.\n";
        return 0;
    }

    const std::vector<std::string>& arguments_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

int runCommand(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err)
{
    return Command(arguments, in, out, err).run();
}

}  // namespace lexivo::server

-- Duredir schema for SQLite. Codes and document numbers are unique: several workstations
-- may save at once, and the database, not the windows alone, keeps them apart.
-- Quantities, prices, rates and discounts are REAL so that
-- divisions are not integer divisions; dates are 'YYYY-MM-DD' text.
CREATE TABLE artikli (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    sifra INTEGER,
    artikal TEXT,
    edm TEXT
);
CREATE INDEX artikli_artikal ON artikli (artikal);
CREATE UNIQUE INDEX artikli_sifra ON artikli (sifra);

CREATE TABLE komintenti (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    naziv TEXT,
    adresa TEXT,
    grad TEXT,
    tel TEXT,
    mobil TEXT,
    zirosmetka TEXT,
    edb TEXT,
    deponent TEXT,
    sifdejnost TEXT,
    mb TEXT,
    zabeleska1 TEXT,
    zabeleska2 TEXT,
    rabat INTEGER
);
CREATE INDEX komintenti_naziv ON komintenti (naziv);

CREATE TABLE vraboteni (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    naziv TEXT,
    adresa TEXT,
    tel TEXT,
    mobil TEXT,
    zirosmetka TEXT,
    edb TEXT,
    deponent TEXT,
    sifdejnost TEXT,
    mb TEXT,
    zabeleska1 TEXT,
    zabeleska2 TEXT
);
CREATE INDEX vraboteni_naziv ON vraboteni (naziv);

CREATE TABLE proizvodi (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    sifra INTEGER,
    proizvod TEXT,
    edm TEXT,
    cena REAL,
    tarifa REAL,
    rabat REAL
);
CREATE INDEX proizvodi_proizvod ON proizvodi (proizvod);
CREATE UNIQUE INDEX proizvodi_sifra ON proizvodi (sifra);

CREATE TABLE proizvodi_sostav (
    id_proizvod INTEGER,
    id_artikal INTEGER,
    kolicina REAL,
    firma_id INTEGER,
    sostav_id INTEGER PRIMARY KEY AUTOINCREMENT
);
CREATE INDEX proizvodi_sostav_proizvod ON proizvodi_sostav (id_proizvod);

CREATE TABLE nalozi (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    nalog_id INTEGER,
    datum_start TEXT,
    datum_finish TEXT,
    vraboten_id INTEGER,
    prioritet TEXT
);
CREATE UNIQUE INDEX nalozi_nalog_id ON nalozi (nalog_id);

CREATE TABLE priemnici (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    priemnica_id INTEGER,
    datum TEXT
);
CREATE UNIQUE INDEX priemnici_priemnica_id ON priemnici (priemnica_id);

CREATE TABLE ispratnici (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    ispratnica_id INTEGER,
    datum TEXT,
    datum_valuta TEXT,
    rabat REAL DEFAULT 0,
    z1 TEXT,
    z2 TEXT,
    z3 TEXT
);
CREATE UNIQUE INDEX ispratnici_ispratnica_id ON ispratnici (ispratnica_id);

CREATE TABLE magacin_artikli (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    vid_dokument TEXT,
    document_id INTEGER,
    id_komintent INTEGER,
    id_artikal INTEGER,
    vlez_kol REAL,
    izlez_kol REAL,
    datum_referenca TEXT,
    firma_id INTEGER,
    document_id_label INTEGER
);
-- Covers the balance per article: the sums are read from the index alone.
CREATE INDEX magacin_artikli_artikal ON magacin_artikli (id_artikal, vlez_kol, izlez_kol);
CREATE INDEX magacin_artikli_dokument ON magacin_artikli (document_id, vid_dokument);
CREATE INDEX magacin_artikli_komintent ON magacin_artikli (id_komintent, firma_id);
-- Covers the article overview's sums per article and firm number.
CREATE INDEX magacin_artikli_artikal_firma ON magacin_artikli (id_artikal, firma_id, vlez_kol, izlez_kol);

CREATE TABLE magacin_proizvodi (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    vid_dokument TEXT,
    document_id INTEGER,
    id_komintent INTEGER,
    id_proizvod INTEGER,
    vlez_kol REAL,
    izlez_kol REAL,
    datum_referenca TEXT,
    firma_id INTEGER,
    proizvod_cena REAL,
    proizvod_tarifa REAL,
    document_id_label INTEGER
);
CREATE INDEX magacin_proizvodi_dokument ON magacin_proizvodi (document_id, vid_dokument);
CREATE INDEX magacin_proizvodi_proizvod ON magacin_proizvodi (id_proizvod);

CREATE TABLE info_table (
    info TEXT,
    info_id INTEGER PRIMARY KEY AUTOINCREMENT
);
INSERT INTO info_table (info) VALUES ('Duredir @VERSION@
Stock keeping for one store or workshop: articles, company partners, goods receipts and dispatches, production work orders, and the stock of every article as a balance over the ledger of movements.
Data: SQLite on one computer, or a shared MariaDB server for several workstations.');

-- The version of this schema; 'duredir-db upgrade' brings older databases to it.
CREATE TABLE duredir_schema (
    version INTEGER NOT NULL PRIMARY KEY
);
INSERT INTO duredir_schema (version) VALUES (@SCHEMA_VERSION@);

-- The triggers the administrator accepted with 'duredir-db accept-triggers' (the program
-- creates none): a trigger under a name not listed here, or whose SQL text no longer has
-- the recorded SHA-256, keeps the program from working on the database.
CREATE TABLE duredir_accepted_triggers (
    name TEXT NOT NULL PRIMARY KEY,
    table_name TEXT NOT NULL,
    timing_event TEXT NOT NULL,
    sql_sha256 TEXT NOT NULL,
    accepted_at TEXT NOT NULL
);

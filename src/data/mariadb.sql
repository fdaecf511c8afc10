-- Duredir schema for MariaDB (InnoDB, utf8mb4). Codes and document numbers are unique keys;
-- every table has a primary key (a cluster replicates deletes only by one).
-- Quantities, prices, rates and discounts
-- are DOUBLE, as in the SQLite schema, so both engines compute the same sums.
CREATE TABLE artikli (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    sifra INT,
    artikal VARCHAR(255),
    edm VARCHAR(50),
    KEY artikli_artikal (artikal),
    UNIQUE KEY artikli_sifra (sifra)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE komintenti (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    naziv VARCHAR(255),
    adresa VARCHAR(255),
    grad VARCHAR(255),
    tel VARCHAR(255),
    mobil VARCHAR(255),
    zirosmetka VARCHAR(255),
    edb VARCHAR(255),
    deponent VARCHAR(255),
    sifdejnost VARCHAR(255),
    mb VARCHAR(255),
    zabeleska1 VARCHAR(255),
    zabeleska2 VARCHAR(255),
    rabat INT,
    KEY komintenti_naziv (naziv)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE vraboteni (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    naziv VARCHAR(255),
    adresa VARCHAR(255),
    tel VARCHAR(255),
    mobil VARCHAR(255),
    zirosmetka VARCHAR(255),
    edb VARCHAR(255),
    deponent VARCHAR(255),
    sifdejnost VARCHAR(255),
    mb VARCHAR(255),
    zabeleska1 VARCHAR(255),
    zabeleska2 VARCHAR(255),
    KEY vraboteni_naziv (naziv)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE proizvodi (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    sifra INT,
    proizvod VARCHAR(255),
    edm VARCHAR(50),
    cena DOUBLE,
    tarifa DOUBLE,
    rabat DOUBLE,
    KEY proizvodi_proizvod (proizvod),
    UNIQUE KEY proizvodi_sifra (sifra)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE proizvodi_sostav (
    id_proizvod INT,
    id_artikal INT,
    kolicina DOUBLE,
    firma_id INT,
    sostav_id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    KEY proizvodi_sostav_proizvod (id_proizvod)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE nalozi (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    nalog_id INT,
    datum_start DATE,
    datum_finish DATE,
    vraboten_id INT,
    prioritet VARCHAR(255),
    UNIQUE KEY nalozi_nalog_id (nalog_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE priemnici (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    priemnica_id INT,
    datum DATE,
    UNIQUE KEY priemnici_priemnica_id (priemnica_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE ispratnici (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    ispratnica_id INT,
    datum DATE,
    datum_valuta DATE,
    rabat DOUBLE DEFAULT 0,
    z1 VARCHAR(255),
    z2 VARCHAR(255),
    z3 VARCHAR(255),
    UNIQUE KEY ispratnici_ispratnica_id (ispratnica_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE magacin_artikli (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    vid_dokument CHAR(1),
    document_id INT,
    id_komintent INT,
    id_artikal INT,
    vlez_kol DOUBLE,
    izlez_kol DOUBLE,
    datum_referenca DATE,
    firma_id INT,
    document_id_label INT,
    KEY magacin_artikli_artikal (id_artikal, vlez_kol, izlez_kol),
    KEY magacin_artikli_dokument (document_id, vid_dokument),
    KEY magacin_artikli_komintent (id_komintent, firma_id),
    KEY magacin_artikli_artikal_firma (id_artikal, firma_id, vlez_kol, izlez_kol)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE magacin_proizvodi (
    id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    vid_dokument CHAR(1),
    document_id INT,
    id_komintent INT,
    id_proizvod INT,
    vlez_kol DOUBLE,
    izlez_kol DOUBLE,
    datum_referenca DATE,
    firma_id INT,
    proizvod_cena DOUBLE,
    proizvod_tarifa DOUBLE,
    document_id_label INT,
    KEY magacin_proizvodi_dokument (document_id, vid_dokument),
    KEY magacin_proizvodi_proizvod (id_proizvod)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE info_table (
    info TEXT,
    info_id INT NOT NULL AUTO_INCREMENT PRIMARY KEY
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;
INSERT INTO info_table (info) VALUES ('Duredir @VERSION@
Stock keeping for one store or workshop: articles, company partners, goods receipts and dispatches, production work orders, and the stock of every article as a balance over the ledger of movements.
Data: SQLite on one computer, or a shared MariaDB server for several workstations.');

-- The version of this schema; 'duredir-db upgrade' brings older databases to it.
CREATE TABLE duredir_schema (
    version INT NOT NULL PRIMARY KEY
) ENGINE=InnoDB;
INSERT INTO duredir_schema (version) VALUES (@SCHEMA_VERSION@);

-- The triggers the administrator accepted with 'duredir-db accept-triggers' (the program
-- creates none): a trigger under a name not listed here, or whose SQL text no longer has
-- the recorded SHA-256, keeps the program from working on the database. An account without
-- the TRIGGER privilege sees a trigger's name, table, timing and event but not its text.
CREATE TABLE duredir_accepted_triggers (
    name VARCHAR(64) NOT NULL PRIMARY KEY,
    table_name VARCHAR(64) NOT NULL,
    timing_event VARCHAR(20) NOT NULL,
    sql_sha256 CHAR(64) NOT NULL,
    accepted_at DATETIME NOT NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;

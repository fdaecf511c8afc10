-- A stock database prepared by a business's own administrator from the data model, not by
-- duredir-db: DECIMAL quantities, prices and rates, VARCHAR texts of the widths the
-- administrator chose, DATE dates, plain auto-increment keys only where the model has an
-- id, no unique indexes and no schema marker. The tests run the program on it.
CREATE TABLE artikli (
    id INT AUTO_INCREMENT PRIMARY KEY,
    sifra INT,
    artikal VARCHAR(80),
    edm VARCHAR(10),
    INDEX ix_artikli_sifra (sifra)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE komintenti (
    id INT AUTO_INCREMENT PRIMARY KEY,
    naziv VARCHAR(40),
    adresa VARCHAR(40),
    grad VARCHAR(30),
    tel VARCHAR(30),
    mobil VARCHAR(30),
    zirosmetka VARCHAR(30),
    edb VARCHAR(30),
    deponent VARCHAR(30),
    sifdejnost VARCHAR(30),
    mb VARCHAR(30),
    zabeleska1 VARCHAR(60),
    zabeleska2 VARCHAR(60),
    rabat INT
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE vraboteni (
    id INT AUTO_INCREMENT PRIMARY KEY,
    naziv VARCHAR(60),
    adresa VARCHAR(60),
    tel VARCHAR(30),
    mobil VARCHAR(30),
    zirosmetka VARCHAR(30),
    edb VARCHAR(30),
    deponent VARCHAR(60),
    sifdejnost VARCHAR(30),
    mb VARCHAR(30),
    zabeleska1 VARCHAR(100),
    zabeleska2 VARCHAR(100)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE proizvodi (
    id INT AUTO_INCREMENT PRIMARY KEY,
    sifra INT,
    proizvod VARCHAR(80),
    edm VARCHAR(10),
    cena DECIMAL(18,4),
    tarifa DECIMAL(9,2),
    rabat DECIMAL(9,2)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE proizvodi_sostav (
    id_proizvod INT,
    id_artikal INT,
    kolicina DECIMAL(18,4),
    firma_id INT,
    INDEX ix_sostav_proizvod (id_proizvod)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE nalozi (
    id INT AUTO_INCREMENT PRIMARY KEY,
    nalog_id INT,
    datum_start DATE,
    datum_finish DATE,
    vraboten_id INT,
    prioritet VARCHAR(60)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE priemnici (
    id INT AUTO_INCREMENT PRIMARY KEY,
    priemnica_id INT,
    datum DATE
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE ispratnici (
    id INT AUTO_INCREMENT PRIMARY KEY,
    ispratnica_id INT,
    datum DATE,
    datum_valuta DATE,
    rabat DECIMAL(9,2) DEFAULT 0,
    z1 VARCHAR(60),
    z2 VARCHAR(60),
    z3 VARCHAR(60)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE magacin_artikli (
    vid_dokument CHAR(1),
    document_id INT,
    id_komintent INT,
    id_artikal INT,
    vlez_kol DECIMAL(18,4),
    izlez_kol DECIMAL(18,4),
    datum_referenca DATE,
    firma_id INT,
    document_id_label INT,
    INDEX ix_magacin_artikli_dok (vid_dokument, document_id),
    INDEX ix_magacin_artikli_art (id_artikal)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE magacin_proizvodi (
    id INT AUTO_INCREMENT PRIMARY KEY,
    vid_dokument CHAR(1),
    document_id INT,
    id_komintent INT,
    id_proizvod INT,
    vlez_kol DECIMAL(18,4),
    izlez_kol DECIMAL(18,4),
    datum_referenca DATE,
    firma_id INT,
    proizvod_cena DECIMAL(18,4),
    proizvod_tarifa DECIMAL(9,2),
    document_id_label INT,
    INDEX ix_magacin_proizvodi_dok (vid_dokument, document_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE info_table (
    info VARCHAR(255)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

INSERT INTO info_table (info) VALUES ('STOCK DATABASE OF THE SHOP');

-- Data version shown in the about window.
INSERT INTO VERZE (VERZE_CISLO) VALUES (1);

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="de_DE">
<context>
    <name>THostDialog</name>
    <message>
        <source>Online-Rennen als Gastgeber</source>
        <translation>Course en ligne en tant qu’hôte</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Adresse&#xa0;:</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code&#xa0;:</translation>
    </message>
    <message>
        <source>Adresse und Code kopieren</source>
        <translation>Copier l’adresse et le code</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Code kopieren</source>
        <translation>Copier le code</translation>
    </message>
</context>
<context>
    <name>THostTexts</name>
    <message>
        <source>Offenes Rennen: jeder, der den UDP-Port %1 dieses Rechners erreicht, kann ohne Code beitreten, etwa im selben Netz bei einer LAN-Party.</source>
        <translation>Course ouverte&#xa0;: quiconque atteint le port UDP %1 de cet ordinateur peut la rejoindre sans code, par exemple sur le même réseau lors d’une LAN party.</translation>
    </message>
    <message>
        <source>Der Router wird nicht gefragt. Ist dein Freund nicht im selben Netz, leite am Router den UDP-Port %1 von Hand an diesen Rechner weiter. Gib ihm deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>Le routeur n’est pas sollicité. Si ton ami n’est pas sur le même réseau, redirige à la main le port UDP %1 du routeur vers cet ordinateur. Donne-lui ton adresse Internet avec :%1 et le code.</translation>
    </message>
    <message>
        <source>Frage den Router nach einer Portweiterleitung …</source>
        <translation>Demande de redirection de port au routeur …</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter, nennt aber seine Adresse im Internet nicht. Gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>Le routeur redirige le port UDP %1 vers cet ordinateur mais ne donne pas son adresse Internet. Donne à ton ami ton adresse Internet avec :%1 et le code.</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter. Gib deinem Freund diese Adresse und den Code:</source>
        <translation>Le routeur redirige le port UDP %1 vers cet ordinateur. Donne à ton ami cette adresse et le code&#xa0;:</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet. Leite am Router den UDP-Port %1 von Hand an diesen Rechner (Port %1) weiter und gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>Aucun routeur n’a répondu. Redirige à la main le port UDP %1 du routeur vers cet ordinateur (port %1) et donne à ton ami ton adresse Internet avec :%1 et le code.</translation>
    </message>
    <message>
        <source>Offenes Rennen ohne Code: wer den UDP-Port %1 dieses Rechners erreicht, tritt bei.</source>
        <translation>Course ouverte sans code&#xa0;: quiconque atteint le port UDP %1 de cet ordinateur la rejoint.</translation>
    </message>
    <message>
        <source>Gib deinem Freund: %1  Code %2</source>
        <translation>Donne à ton ami&#xa0;: %1  code %2</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter (lokaler Port %2).</source>
        <translation>Le routeur redirige le port UDP %1 vers cet ordinateur (port local %2).</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet: leite den UDP-Port %1 von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>Aucun routeur n’a répondu&#xa0;: redirige à la main le port UDP %1 vers cet ordinateur (port local %1).</translation>
    </message>
    <message>
        <source>Router nicht gefragt: leite den UDP-Port %1 bei Bedarf von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>Routeur non sollicité&#xa0;: si besoin, redirige à la main le port UDP %1 vers cet ordinateur (port local %1).</translation>
    </message>
    <message>
        <source>Gib deinem Freund: deine Adresse im Internet:%1  Code %2</source>
        <translation>Donne à ton ami&#xa0;: ton adresse Internet:%1  code %2</translation>
    </message>
    <message>
        <source>%1  Code %2</source>
        <translation>%1  code %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>code %1</translation>
    </message>
    <message>
        <source>UDP-Port %1</source>
        <translation>port UDP %1</translation>
    </message>
    <message>
        <source>Warte auf den zweiten Spieler: %1, Code %2 ...</source>
        <translation>En attente du second joueur&#xa0;: %1, code %2 ...</translation>
    </message>
</context>
<context>
    <name>TJoinDialog</name>
    <message>
        <source>Online-Rennen beitreten</source>
        <translation>Rejoindre une course en ligne</translation>
    </message>
    <message>
        <source>Rechner des Gastgebers (Name oder Adresse, wahlweise mit :Port, sonst %1):</source>
        <translation>Machine de l’hôte (nom ou adresse, éventuellement avec :port, sinon %1) :</translation>
    </message>
    <message>
        <source>Beitreten</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Code des Rennens (leer bei einem offenen Rennen):</source>
        <translation>Code de la course (vide pour une course ouverte)&#xa0;:</translation>
    </message>
    <message>
        <source>Einem Online-Rennen zuschauen</source>
        <translation>Regarder une course en ligne</translation>
    </message>
    <message>
        <source>Zuschauen</source>
        <translation>Regarder</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Neustart (F3)</source>
        <translation>Relancer (F3)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Stop (Pause)</source>
        <translation>Arrêt (Pause)</translation>
    </message>
    <message>
        <source>Play (Pause)</source>
        <translation>Jouer (Pause)</translation>
    </message>
    <message>
        <source>Steuerung des roten Quibo&apos;s: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord</source>
        <translation>Pilotage du Quibo rouge&#xa0;: [Y] ... barre à bâbord, [X] ... barre à tribord</translation>
    </message>
    <message>
        <source>Steuerung des grünen Quibo&apos;s: [&lt;-] ... Pinne nach Backbord, [-&gt;] ... Pinne nach Steuerbord</source>
        <translation>Pilotage du Quibo vert&#xa0;: [&lt;-] ... barre à bâbord, [-&gt;] ... barre à tribord</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Regatta</source>
        <translation>Régate</translation>
    </message>
    <message>
        <source>Ton aus</source>
        <translation>Son coupé</translation>
    </message>
    <message>
        <source>Ton an</source>
        <translation>Son activé</translation>
    </message>
    <message>
        <source>Demo – eine Taste beendet sie</source>
        <translation>Démo – une touche y met fin</translation>
    </message>
</context>
<context>
    <name>TOnlineRace</name>
    <message>
        <source>Warte auf den zweiten Spieler (UDP-Port %1) ...</source>
        <translation>En attente du second joueur (port UDP %1) ...</translation>
    </message>
    <message>
        <source>Verbinde mit %1 ...</source>
        <translation>Connexion à %1 ...</translation>
    </message>
    <message>
        <source>Warte auf den anderen Rechner ...</source>
        <translation>En attente de l’autre machine ...</translation>
    </message>
    <message>
        <source>Pause: das Fenster des anderen Spielers ist nicht aktiv</source>
        <translation>Pause : la fenêtre de l’autre joueur n’est pas active</translation>
    </message>
    <message>
        <source>Der andere Spieler hat das Rennen verlassen. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>L’autre joueur a quitté la course. La course continue sur cette machine.</translation>
    </message>
    <message>
        <source>Vom anderen Rechner kommt seit 5 Sekunden nichts mehr. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>Plus rien ne vient de l’autre machine depuis 5 secondes. La course continue sur cette machine.</translation>
    </message>
    <message>
        <source>Das Rennen ist auf beiden Rechnern nach Takt %1 nicht mehr gleich und wurde angehalten.</source>
        <translation>La course n’est plus la même sur les deux machines après le pas %1 et a été arrêtée.</translation>
    </message>
    <message>
        <source>race full: Im Rennen auf %1 fahren schon zwei Spieler.</source>
        <translation>race full : deux joueurs courent déjà sur %1.</translation>
    </message>
    <message>
        <source>Der Gastgeber hat QuiboTrainer %1, dieser Rechner QuiboTrainer %2: beide brauchen dieselbe Version.</source>
        <translation>L’hôte a QuiboTrainer %1, cette machine QuiboTrainer %2 : les deux doivent avoir la même version.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht schreiben.</source>
        <translation>Impossible d’écrire %1.</translation>
    </message>
    <message>
        <source>Ungültiger Port: %1</source>
        <translation>Port invalide : %1</translation>
    </message>
    <message>
        <source>Ungültige Adresse: %1</source>
        <translation>Adresse invalide : %1</translation>
    </message>
    <message>
        <source>Der UDP-Port %1 lässt sich nicht öffnen.</source>
        <translation>Impossible d’ouvrir le port UDP %1.</translation>
    </message>
    <message>
        <source>Der Name %1 lässt sich nicht auflösen.</source>
        <translation>Le nom %1 ne peut pas être résolu.</translation>
    </message>
    <message>
        <source>Keine Verbindung zu %1 möglich.</source>
        <translation>Aucune connexion possible avec %1.</translation>
    </message>
    <message>
        <source>Ein Spieler mit falschem Code wurde abgewiesen.</source>
        <translation>Un joueur avec un mauvais code a été refusé.</translation>
    </message>
    <message>
        <source>Keine Antwort von %1. Stimmen Adresse und Port? Ist der Gastgeber hinter einem Router, muss sein UDP-Port dort vielleicht an seinen Rechner weitergeleitet werden.</source>
        <translation>Pas de réponse de %1. L’adresse et le port sont-ils justes&#xa0;? Si l’hôte est derrière un routeur, son port UDP doit peut-être y être redirigé vers son ordinateur.</translation>
    </message>
    <message>
        <source>Der Gastgeber auf %1 hat den Code abgelehnt. Frag ihn nach dem Code, den sein Fenster zeigt, und tritt damit noch einmal bei.</source>
        <translation>L’hôte sur %1 a refusé le code. Demande-lui le code affiché dans sa fenêtre et rejoins la course avec celui-ci.</translation>
    </message>
    <message>
        <source>Du schaust zu – %1,%2 s hinter dem Rennen</source>
        <extracomment>%1 whole seconds, %2 tenths: the decimal separator between them is the language&apos;s.</extracomment>
        <translation>Tu regardes – %1,%2&#xa0;s de retard sur la course</translation>
    </message>
    <message>
        <source>Zuschauer: %1</source>
        <translation>Spectateurs&#xa0;: %1</translation>
    </message>
    <message>
        <source>Dem Rennen auf %1 schauen schon %2 Zuschauer zu; mehr haben keinen Platz.</source>
        <translation>%2 spectateurs regardent déjà la course sur %1&#xa0;; il n’y a plus de place.</translation>
    </message>
</context>
<context>
    <name>TPadControl</name>
    <message>
        <source>Controller 1 verbunden: er steuert den grünen Quibo</source>
        <translation>Manette 1 branchée : elle dirige le Quibo vert</translation>
    </message>
    <message>
        <source>Controller 2 verbunden: er steuert den roten Quibo</source>
        <translation>Manette 2 branchée : elle dirige le Quibo rouge</translation>
    </message>
    <message>
        <source>Controller 1 getrennt: den grünen Quibo steuert die Tastatur</source>
        <translation>Manette 1 débranchée : le clavier dirige le Quibo vert</translation>
    </message>
    <message>
        <source>Controller 2 getrennt: den roten Quibo steuert die Tastatur</source>
        <translation>Manette 2 débranchée : le clavier dirige le Quibo rouge</translation>
    </message>
</context>
<context>
    <name>TProgramHelp</name>
    <message>
        <source>nur als erstes Argument: Kollisionsumrisse, ein Mausklick zeigt den Pixelwert</source>
        <translation>en premier argument seulement&#xa0;: contours de collision, un clic montre la valeur du pixel</translation>
    </message>
    <message>
        <source>eröffnet ein Online-Rennen am UDP-Port PORT (ohne Angabe %1)</source>
        <translation>ouvre une course en ligne sur le port UDP PORT (%1 par défaut)</translation>
    </message>
    <message>
        <source>--join [RECHNER[:PORT]]</source>
        <translation>--join [HÔTE[:PORT]]</translation>
    </message>
    <message>
        <source>--record DATEI</source>
        <translation>--record FICHIER</translation>
    </message>
    <message>
        <source>schreibt das Online-Rennen in DATEI, als Skript für replay_race</source>
        <translation>écrit la course en ligne dans FICHIER, en script pour replay_race</translation>
    </message>
    <message>
        <source>zeigt diese Hilfe und endet</source>
        <translation>affiche cette aide et quitte</translation>
    </message>
    <message>
        <source>zeigt die Version und endet</source>
        <translation>affiche la version et quitte</translation>
    </message>
    <message>
        <source>Aufruf: %1 [DEBUG] [OPTION …]</source>
        <translation>Usage&#xa0;: %1 [DEBUG] [OPTION …]</translation>
    </message>
    <message>
        <source>Segeltrainer für zwei Spieler an einer Tastatur.</source>
        <translation>Entraîneur de voile pour deux joueurs sur un seul clavier.</translation>
    </message>
    <message>
        <source>Optionen:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>„%1 --help“ nennt alle Optionen.</source>
        <translation>«&#xa0;%1 --help&#xa0;» liste toutes les options.</translation>
    </message>
    <message>
        <source>startet ohne Ton; die Taste M schaltet ihn aus und an</source>
        <translation>démarre sans son&#xa0;; la touche M le coupe et le rétablit</translation>
    </message>
    <message>
        <source>zeigt Regatta um Regatta, beide Jollen vom Computer gesegelt; eine Taste beendet sie</source>
        <translation>enchaîne les régates, les deux dériveurs barrés par l&apos;ordinateur ; une touche y met fin</translation>
    </message>
    <message>
        <source>tritt dem Online-Rennen auf RECHNER bei; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>rejoint la course en ligne sur HÔTE&#xa0;; sans adresse ou code, une boîte de dialogue les demande</translation>
    </message>
    <message>
        <source>nur mit --host: ein offenes Rennen ohne Code, jeder, der den Port erreicht, tritt bei (LAN-Party)</source>
        <translation>seulement avec --host&#xa0;: une course ouverte sans code, quiconque atteint le port la rejoint (LAN party)</translation>
    </message>
    <message>
        <source>nur mit --host: fragt den Router nicht nach einer Portweiterleitung</source>
        <translation>seulement avec --host&#xa0;: ne demande pas de redirection de port au routeur</translation>
    </message>
    <message>
        <source>--watch [RECHNER[:PORT]]</source>
        <translation>--watch [HÔTE[:PORT]]</translation>
    </message>
    <message>
        <source>schaut dem Online-Rennen auf RECHNER zu, ohne zu steuern; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>regarde la course en ligne sur HÔTE sans barrer&#xa0;; sans adresse ou code, une boîte de dialogue les demande</translation>
    </message>
    <message>
        <source>der Code des Rennens: für --join und --watch der erhaltene, für --host ein eigener statt eines zufälligen</source>
        <translation>le code de la course&#xa0;: pour --join et --watch celui reçu, pour --host le sien au lieu d’un code aléatoire</translation>
    </message>
</context>
<context>
    <name>TRegattaDialog</name>
    <message>
        <source>Runden:</source>
        <translation>Tours :</translation>
    </message>
    <message>
        <source>Regeln:</source>
        <translation>Règles :</translation>
    </message>
    <message>
        <source>Grün steuert:</source>
        <translation>Barre verte :</translation>
    </message>
    <message>
        <source>Rot steuert:</source>
        <translation>Barre rouge :</translation>
    </message>
    <message>
        <source>Quibo Trainer Regatta</source>
        <translation>Quibo Trainer Régate</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Tours de pénalité</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Classique (explosion)</translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Computer 1 (Anfänger)</source>
        <translation>Ordinateur 1 (débutant)</translation>
    </message>
    <message>
        <source>Computer %1</source>
        <translation>Ordinateur %1</translation>
    </message>
    <message>
        <source>Computer 5 (Regattasegler)</source>
        <translation>Ordinateur 5 (régatier)</translation>
    </message>
    <message>
        <source>Freies Segeln</source>
        <translation>Navigation libre</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Départ</translation>
    </message>
</context>
<context>
    <name>TRegattaTexts</name>
    <message>
        <source>Start!</source>
        <translation>Départ !</translation>
    </message>
    <message>
        <source>Früh!</source>
        <translation>Tôt !</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Regel 10: Backbordbug hält sich frei</source>
        <translation>Règle 10 : bâbord amures s&apos;écarte</translation>
    </message>
    <message>
        <source>Regel 11: Luv hält sich frei</source>
        <translation>Règle 11 : au vent s&apos;écarte</translation>
    </message>
    <message>
        <source>Regel 12: klar Achteraus hält sich frei</source>
        <translation>Règle 12 : route libre derrière s&apos;écarte</translation>
    </message>
    <message>
        <source>Regel 13: wer wendet, hält sich frei</source>
        <translation>Règle 13 : qui vire s&apos;écarte</translation>
    </message>
    <message>
        <source>Regel 31: Tonne berührt</source>
        <translation>Règle 31 : bouée touchée</translation>
    </message>
    <message>
        <source>Start in %1 s</source>
        <translation>Départ dans %1 s</translation>
    </message>
    <message>
        <source>%1 ist zu früh gestartet</source>
        <translation>%1 est parti trop tôt</translation>
    </message>
    <message>
        <source>%1 ist gestartet</source>
        <translation>%1 est parti</translation>
    </message>
    <message>
        <source>%1: Tonne gerundet (Runde %2)</source>
        <translation>%1 : bouée contournée (tour %2)</translation>
    </message>
    <message>
        <source>%1: Runde %2 in %3</source>
        <translation>%1 : tour %2 en %3</translation>
    </message>
    <message>
        <source>%1: Strafe 1 Drehung – %2</source>
        <translation>%1 : pénalité 1 tour – %2</translation>
    </message>
    <message>
        <source>%1: Strafe %2 Drehungen – %3</source>
        <translation>%1 : pénalité %2 tours – %3</translation>
    </message>
    <message>
        <source>%1 hat die Strafe abgesegelt</source>
        <translation>%1 a effectué sa pénalité</translation>
    </message>
    <message>
        <source>%1 ist ausgeschieden</source>
        <translation>%1 est éliminé</translation>
    </message>
    <message>
        <source>%1 im Ziel: Platz %2, %3</source>
        <translation>%1 arrivé : place %2, %3</translation>
    </message>
    <message>
        <source>Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue</source>
        <translation>Régate terminée : Recommencer (F3) la refait, F5 en choisit une autre</translation>
    </message>
    <message>
        <source>Ergebnis – Runden: %1, %2</source>
        <translation>Résultat – tours : %1, %2</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Tours de pénalité</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Classique (explosion)</translation>
    </message>
    <message>
        <source>Kein Sieger</source>
        <translation>Pas de vainqueur</translation>
    </message>
    <message>
        <source>%1. %2: %3</source>
        <translation>%1. %2 : %3</translation>
    </message>
    <message>
        <source>%1: ausgeschieden</source>
        <translation>%1 : éliminé</translation>
    </message>
    <message>
        <source>Runden: %1</source>
        <translation>Tours : %1</translation>
    </message>
    <message>
        <source>Strafen: %1</source>
        <translation>Pénalités : %1</translation>
    </message>
    <message>
        <source>Beste Runde: %1, Runde %2, %3</source>
        <translation>Meilleur tour : %1, tour %2, %3</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>Windrichtung in Grad:</source>
        <translation>Direction du vent en degrés&#xa0;:</translation>
    </message>
    <message>
        <source>Windgeschwindigkeit in Knoten:</source>
        <translation>Vitesse du vent en nœuds&#xa0;:</translation>
    </message>
    <message>
        <source>Zufällige Windabweichung in Grad:</source>
        <translation>Écart aléatoire du vent en degrés&#xa0;:</translation>
    </message>
    <message>
        <source>Quibo Trainer Einstellungen</source>
        <translation>Réglages de Quibo Trainer</translation>
    </message>
    <message>
        <source>&amp;Fertig</source>
        <translation>&amp;Terminé</translation>
    </message>
    <message>
        <source>Zufällige Windrichtung:</source>
        <translation>Direction du vent aléatoire&#xa0;:</translation>
    </message>
</context>
</TS>

#!/usr/bin/python3
"""Writes the bundled sample data folder (data/) and the help file (help/mRuleE.hlp).

Every card, ruling, program, deck and help topic of the sample base is invented for this
program. The script is the one source of truth: edit the tables here and run it again
from the top of the work tree:

    /usr/bin/python3 tools/make_sample_data.py

It checks its own output before writing (every deck card exists, every rule reference of
the rulings has a help topic, every program names a card) and stops with a message when
something does not fit. Data files are written as 8-bit text in the Western code page
(Windows-1252) with CR LF line ends; the help file is UTF-8 HTML.
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
HELP = os.path.join(ROOT, "help")

# ---------------------------------------------------------------------------------------
# Editions. The catalogue lists the newest edition first, as the edition import keeps it.
# ---------------------------------------------------------------------------------------

EDITIONS = [  # code, display name
    ("4E", "Fourth Codex"),
    ("EM", "Emberhold"),
    ("SV", "Saltveil"),
]
# The edition that the sample spoiler brings in; it is not in the card list.
IMPORT_EDITION = ("GL", "Glasswater")

TOURNAMENT_SETS = [
    ("Type 2", ["Glasswater", "Fourth Codex"]),
    ("Extended", ["Glasswater", "Fourth Codex", "Emberhold"]),
    ("Type 1", ["Glasswater", "Fourth Codex", "Emberhold", "Saltveil"]),
]

ARTISTS = [
    "Mira Oakes", "Tovin Haller", "Edda Brannock", "Lio Varga", "Sefa Quill",
    "Jonah Redfern", "Piet Alcorn", "Nadia Voss", "Oren Halloway", "Kit Marrow",
    "Bram Ostley", "Yuna Sallow", "\u00c6sa Lind",
]

COLOR_ORDER = ["W", "U", "B", "R", "G", "Gld", "Art", "Lnd"]
PRICES = {
    "C": ["0,10", "0,15", "0,20", "0,25", "0,15", "0,10"],
    "U": ["0,50", "0,75", "1,00", "1,25", "1,50", "0,60"],
    "R": ["2,50", "3,00", "4,50", "6,00", "8,75", "3,75", "12,00"],
}

CARDS = []  # dicts, one per card-list record


def card(ed, name, color, rarity, cost, ctype, text, flavor="", pt="", mana="",
         value=None, artist=None, half_of=None):
    CARDS.append(dict(Name=name, Edition=ed, Color=color, Rarity=rarity, Cost=cost,
                      CardType=ctype, Text=text, Flavor=flavor, PT=pt, Mana=mana,
                      Value=value, Artist=artist, Seq="", half_of=half_of))


def split(ed, left, right, rarity, lhalf, rhalf):
    """A split card: two records Left/Right (Left) and Left/Right (Right)."""
    base = left + "/" + right
    for half, (color, cost, ctype, text) in ((left, lhalf), (right, rhalf)):
        card(ed, "%s (%s)" % (base, half), color, rarity, cost, ctype, text, half_of=base)


def reprint(ed, name, src_ed, **changes):
    """The same card in another edition; the type line follows that edition's spoiler."""
    for c in CARDS:
        if c["Name"] == name and c["Edition"] == src_ed:
            new = dict(c)
            new.update(Edition=ed, Value=None, Artist=None, Seq="")
            for k, v in changes.items():
                new[k] = v
            CARDS.append(new)
            return
    sys.exit("reprint of an unknown card: %s [%s]" % (name, src_ed))


BASICS = [  # name, colour letter
    ("Orren Plateau", "W"), ("Vell Shoal", "U"), ("Morrow Fen", "B"),
    ("Kessik Crag", "R"), ("Thessa Thicket", "G"),
]


def basic_lands(ed):
    for name, letter in BASICS:
        card(ed, name, "Lnd", "C", "", "Land", "< T > : Add < %s > to your mana pool." % letter,
             mana=letter, value="0,05")


# --- Saltveil (SV): the oldest edition, a coast of salt flats and drowned towns. -------
# Its spoiler writes creatures as "Summon <kind>" and enchantments of a creature as
# "Enchant Creature".

SV = "SV"
card(SV, "\u00c6rnhold Sentinel", "W", "C", "1W", "Summon Knight", "First strike ^",
     "It has held the causeway since before the tide had a name.", "1/2")
card(SV, "Causeway Lancer", "W", "C", "2W", "Summon Knight",
     "Whenever Causeway Lancer attacks, it gets +1/+0 until end of turn. ^",
     "The charge is the only prayer a lancer needs.", "2/2")
card(SV, "Lantern Cleric", "W", "U", "1W", "Summon Cleric",
     "< T > : Prevent the next 2 damage that would be dealt to target creature this turn.",
     pt="1/1")
card(SV, "Tideward Blessing", "W", "C", "W", "Enchant Creature",
     "Enchanted creature gets +0/+3 and cannot be dealt damage by red sources. ^",
     "The salt remembers every wall it ever kept.")
card(SV, "Dawnsalt Rite", "W", "U", "2WW", "Sorcery",
     "Return each creature with power 2 or less to its owner's hand. | "
     "Each player gains 1 life for each of his or her creatures returned this way.")
card(SV, "Orren Pilgrim", "W", "C", "W", "Summon Cleric", "^",
     "Barefoot, salt-crusted and certain of the road. &| & -- Pilgrims' hymn &", "1/1")
card(SV, "Sanctum of the Shallows", "W", "R", "3WW", "Enchantment",
     "Knight, Cleric and Bird creatures get +1/+1. | "
     "At the end of your turn, gain 1 life for each untapped creature you control.")
card(SV, "Gull Herald", "W", "C", "1W", "Summon Bird", "Flying ^",
     "Where the gulls gather, the fleet is never far.", "1/1")

card(SV, "Tidecount Elemental", "U", "R", "3U", "Summon Elemental",
     "Tidecount Elemental's power is equal to the number of Vell Shoals you control. ^",
     "It rises with the water and is never quite the same size twice.", "*/3")
card(SV, "Undertow Denial", "U", "C", "UU", "Interrupt",
     "Cancel target spell. Its caster may pay < 2 > to keep it on the stack.")
card(SV, "Saltkin Diver", "U", "C", "1U", "Summon Saltkin",
     "Shoalwalk { (It cannot be blocked while the defending player controls a Vell Shoal.) }",
     pt="1/2")
card(SV, "Brine Oracle", "U", "U", "2U", "Summon Saltkin",
     "< T > : Look at the top two cards of your library, then put them back in any order.",
     pt="1/1")
card(SV, "Fogbank Drake", "U", "U", "3U", "Summon Drake",
     "Flying | Fogbank Drake cannot block.", pt="3/2")
card(SV, "Mirror the Current", "U", "C", "1U", "Instant",
     "Return target creature to its owner's hand. | "
     "Draw a card at the beginning of the next turn's upkeep.")
card(SV, "Drowned Library", "U", "R", "2UU", "Enchantment",
     "At the beginning of your upkeep, draw a card, then discard a card. | "
     "< 1U > : Put the top card of target player's library into his or her graveyard.")
card(SV, "Kelp Tangle", "U", "C", "U", "Enchant Creature",
     "Enchanted creature does not untap during its controller's untap step. ^",
     "Strong swimmers drown too.")

card(SV, "Morrow Ghoul", "B", "C", "2B", "Summon Ghoul",
     "When Morrow Ghoul comes into play, each player discards a card. ^",
     "It eats the letters the drowned never sent.", "2/2")
card(SV, "Fen Wight", "B", "U", "1BB", "Summon Shade",
     "Fenwalk | < B > : Regenerate Fen Wight.", pt="2/1")
card(SV, "Grasping Silt", "B", "C", "1B", "Instant",
     "Target creature gets -2/-1 until end of turn. ^",
     "The flats take a toll from everyone who crosses at night.")
card(SV, "Bargain at Low Tide", "B", "R", "BB", "Sorcery",
     "Choose a number. Lose that much life, then draw that many cards "
     "at the beginning of your next upkeep.")
card(SV, "Drowned Choir", "B", "U", "3B", "Summon Shade",
     "Flying | When Drowned Choir comes into play, target player loses 2 life.",
     pt="2/2")
card(SV, "Wreckmonger", "B", "C", "3B", "Summon Ghoul",
     "Wreckmonger comes into play tapped. | < T > : Put target artifact card "
     "from a graveyard on the bottom of its owner's library.", pt="3/3")
card(SV, "Salt the Wound", "B", "C", "B", "Enchant Creature",
     "At the beginning of the upkeep of enchanted creature's controller, "
     "that player loses 1 life.")
card(SV, "Lowtide Revenant", "B", "R", "2BB", "Summon Shade",
     "Lowtide Revenant gets +1/+1 for each Morrow Fen you control. | "
     "/ It walks where the sea has left. \\", pt="2/2")

card(SV, "Kessik Emberhound", "R", "C", "1R", "Summon Hound", "First strike ^",
     "Kessik hounds are fed on coal and bad tempers.", "2/1")
card(SV, "Cinder Volley", "R", "C", "R", "Instant",
     "Cinder Volley deals 1 damage to each of up to two target creatures.")
card(SV, "Squall Raider", "R", "U", "2R", "Summon Reaver",
     "Squall Raider may attack the turn it comes into play. | "
     "Whenever Squall Raider attacks, discard a card at random, then draw a card.",
     pt="3/1")
card(SV, "Crag Wyrm", "R", "R", "4RR", "Summon Wyrm",
     "Flying | < R > : Crag Wyrm gets +1/+0 until end of turn. | "
     "/ The peaks still smoke where it sleeps. \\", pt="4/4")
card(SV, "Blasting Gale", "R", "U", "XR", "Sorcery",
     "Blasting Gale deals X damage divided as you choose among any number of "
     "target creatures without flying.")
card(SV, "Kessik Torchbearer", "R", "C", "R", "Summon Goblin",
     "< R > , < T > : Target creature cannot block this turn.", pt="1/1")
card(SV, "Riot at the Docks", "R", "C", "2R", "Sorcery",
     "All creatures get +2/+0 until end of turn. | "
     "Creatures without flying cannot block this turn.")
card(SV, "Ember Pact", "R", "U", "R", "Interrupt",
     "Choose a new target for target spell with a single target.")

card(SV, "Thessa Wolf", "G", "C", "1G", "Summon Wolf", "^",
     "A Thessa wolf hunts alone only when the pack is watching. &| & -- Ranger saying &",
     "2/2")
card(SV, "Thicket Colossus", "G", "R", "5GG", "Summon Treefolk",
     "Trample | Thicket Colossus's power and toughness are each equal to the number "
     "of lands you control.", pt="*/*")
card(SV, "Sap Surge", "G", "C", "G", "Mana Source",
     "Add < GGG > to your mana pool. Play this only during your turn.", mana="GGG")
card(SV, "Rootweaver", "G", "U", "2G", "Summon Briarkin",
     "< T > : Add < G > to your mana pool. | "
     "< 2G > , < T > : Put a +1/+1 counter on target creature.", pt="1/2", mana="G")
card(SV, "Barkhide Boar", "G", "C", "3G", "Summon Boar", "Trample ^",
     "It does not go around the thicket. It goes through.", "3/3")
card(SV, "Brambleweb Snare", "G", "C", "1G", "Instant",
     "Tap target creature with flying. It deals no combat damage this turn.")
card(SV, "Sapwell Tangle", "G", "U", "2G", "Enchant Land",
     "Enchanted land produces one extra < G > each time it is tapped for mana.")
card(SV, "Gnarlroot Elder", "G", "R", "3GG", "Summon Treefolk",
     "Briarkin creatures get +1/+1. | < G > : Regenerate Gnarlroot Elder.", pt="3/4")
card(SV, "Briarkin Brood", "G", "C", "2G", "Summon Briarkin", "^",
     "Pull one up and three more are waiting in the roots.", "2/2")

card(SV, "Tidewarden Chimera", "Gld", "R", "2WU", "Summon Chimera",
     "Flying, protection from black ^",
     "Half gull, half lion, wholly sworn to the causeway.", "3/3")
card(SV, "Silt Reaver", "Gld", "U", "1BR", "Summon Reaver",
     "Plateauwalk | Whenever Silt Reaver deals combat damage to a player, "
     "that player discards a card.", pt="2/2")
split(SV, "Mend", "Rend", "U",
      ("W", "1W", "Instant",
       "Prevent all damage that would be dealt to target creature this turn."),
      ("B", "2B", "Instant", "Destroy target tapped creature. It cannot be regenerated."))

card(SV, "Brass Tidegauge", "Art", "U", "2", "Artifact",
     "< 2 > , < T > : Look at the top card of any library.")
card(SV, "Driftwood Golem", "Art", "C", "4", "Artifact Creature", "^",
     "Built from the hulls of ships that never came home.", "3/3")
card(SV, "Lighthouse Lens", "Art", "R", "3", "Artifact",
     "< X > , < T > : Lighthouse Lens deals X damage to target attacking creature.")
card(SV, "Anchor Chain", "Art", "C", "1", "Artifact",
     "< 1 > , < T > : Target creature does not untap during its controller's "
     "next untap step.")

basic_lands(SV)
card(SV, "Saltmarsh Flats", "Lnd", "U", "", "Land",
     "Saltmarsh Flats comes into play tapped. | < T > : Add < W > or < U > to your mana pool.",
     mana="WU")
card(SV, "Drowned Quay", "Lnd", "R", "", "Land",
     "< T > : Add < 1 > to your mana pool. | < 2 > , < T > : Return target artifact card "
     "from your graveyard to your hand.", mana="1")

# --- Emberhold (EM): a fortress of forges in the mountains. -----------------------------
# Its spoiler abbreviates: "Smn <kind>", "Echt Creature", "Artf Crt".

EM = "EM"
card(EM, "Emberhold Warden", "W", "C", "2W", "Smn Warden",
     "Attacking does not cause Emberhold Warden to tap.", pt="1/4")
card(EM, "Ashfall Priest", "W", "U", "1WW", "Smn Cleric",
     "< W > , < T > : Target creature gains protection from red until end of turn.",
     pt="1/2")
card(EM, "Banner of the Hold", "W", "U", "3W", "Enchantment",
     "Warden creatures get +1/+1. ^",
     "Seven colours for seven gates, and none of them ever lowered.")
card(EM, "Forgesworn Paladin", "W", "R", "3WW", "Smn Knight",
     "First strike, protection from red ^",
     "Tempered in the same fire she was sworn to fight.", "3/3")
card(EM, "Cleansing Ash", "W", "C", "1W", "Instant",
     "Destroy target enchantment. Its controller gains 2 life.")
card(EM, "Ward of Cinders", "W", "C", "W", "Echt Creature",
     "Enchanted creature has protection from red.")
card(EM, "Hearthguard Recruit", "W", "C", "W", "Smn Warden", "^",
     "Every warden starts as a recruit. Most stay one. &| & -- Gate sergeant &", "1/2",
     value="")

card(EM, "Steamvent Sprite", "U", "C", "1U", "Smn Sprite", "Flying ^",
     "It rides the forge steam up past the gates.", "1/1")
card(EM, "Hiss of Steam", "U", "C", "1U", "Interrupt", "Cancel target red spell.")
card(EM, "Smokeglass Scholar", "U", "U", "2U", "Smn Wizard",
     "< 1U > , < T > : Draw a card, then discard a card.", pt="1/2")
card(EM, "Fathom the Flame", "U", "R", "XUU", "Sorcery",
     "Look at the top X cards of your library. Put one of them into your hand and "
     "the rest on the bottom of your library in any order.")
card(EM, "Vapour Form", "U", "U", "2U", "Echt Creature",
     "Enchanted creature has flying. | "
     "Enchanted creature cannot block creatures without flying.")
card(EM, "Vapourcaller", "U", "C", "3U", "Smn Wizard",
     "When Vapourcaller comes into play, tap up to two target creatures. ^",
     "Fog is only water that has learned patience.", "2/2")

card(EM, "Sootgrave Ghoul", "B", "C", "2B", "Smn Ghoul",
     "Sootgrave Ghoul comes into play with two +1/+1 counters on it.", pt="1/1")
card(EM, "Cinderwing Imp", "B", "C", "1B", "Smn Imp",
     "Flying | When Cinderwing Imp comes into play, you lose 1 life.", pt="1/1")
card(EM, "Pyre Revenant", "B", "R", "3BB", "Smn Shade",
     "Protection from white | When Pyre Revenant is put into a graveyard from play, "
     "return target creature card from your graveyard to your hand. | "
     "< B > : Regenerate Pyre Revenant.", pt="3/3")
card(EM, "Forge Smoke", "B", "U", "2B", "Sorcery",
     "All creatures get -1/-1 until end of turn.")
card(EM, "Embersoul Pact", "B", "R", "B", "Enchantment",
     "At the beginning of your upkeep, pay 1 life or bury Embersoul Pact. | "
     "Whenever a creature is put into a graveyard from play, draw a card.")
card(EM, "Shade Tithe", "B", "C", "1B", "Instant",
     "Target player loses 2 life and you gain 2 life.")

card(EM, "Emberhold Giant", "R", "U", "4R", "Smn Giant", "Trample ^",
     "It carries the forge's anvil as a walking stick.", "4/3")
card(EM, "Bellows Goblin", "R", "C", "1R", "Smn Goblin",
     "< R > : Bellows Goblin gets +1/+0 until end of turn.", pt="1/1")
card(EM, "Slagpit Vent", "R", "C", "1R", "Instant",
     "Slagpit Vent deals 3 damage to target creature without flying.")
card(EM, "Cindermaw", "R", "R", "3RR", "Smn Wyrm",
     "Flying, trample | When Cindermaw comes into play, it deals 1 damage to each "
     "other creature.", pt="4/4")
card(EM, "Kessik Drummer", "R", "U", "2R", "Smn Goblin",
     "Goblin creatures get +1/+0 and have trample.", pt="2/2")
card(EM, "Slag Eruption", "R", "U", "3RR", "Sorcery",
     "Destroy target land. Slag Eruption deals 2 damage to that land's controller.")
card(EM, "Crag Runner", "R", "C", "R", "Smn Goblin", "Cragwalk ^",
     "Up the scree, down the chimney, and gone with your supper.", "1/1")

card(EM, "Ashroot Hulk", "G", "C", "4G", "Smn Treefolk", "^",
     "It grew in the ash of the first forge and has not forgiven it.", "4/5")
card(EM, "Emberleaf Druid", "G", "C", "G", "Smn Druid",
     "< T > : Add < G > to your mana pool.", pt="1/1", mana="G")
card(EM, "Scarp Beetle", "G", "U", "2GG", "Smn Beetle",
     "Scarp Beetle may block creatures with flying.", pt="2/4")
card(EM, "Wildfire Bloom", "G", "R", "1G", "Enchantment",
     "Whenever a land comes into play under your control, you gain 1 life.")
card(EM, "Verdant Rekindling", "G", "C", "2G", "Sorcery",
     "Return up to two target land cards from your graveyard to your hand.")
card(EM, "Briarkin Scout", "G", "C", "G", "Smn Briarkin", "Thicketwalk", pt="1/1")
card(EM, "Briarkin Warband", "G", "U", "3G", "Smn Briarkin",
     "When Briarkin Warband comes into play, put a 1/1 green Briarkin token "
     "creature into play.", pt="3/2")

card(EM, "Ashwind Harrier", "Gld", "U", "1UR", "Smn Drake",
     "Flying | < R > : Ashwind Harrier gets +1/+0 until end of turn.", pt="2/2")
card(EM, "Veldt Warlord", "Gld", "R", "2RG", "Smn Giant",
     "Trample | Giant creatures get +1/+1.", pt="3/3")
card(EM, "Vessa, Ember Oracle", "Gld", "R", "2UR", "Smn Legend",
     "< T > : Look at the top card of target player's library. You may put it into "
     "that player's graveyard. | % Vessa sees the smoke before the fire. %", pt="2/3")
split(EM, "Hush", "Howl", "U",
      ("U", "1U", "Interrupt", "Cancel target instant or interrupt."),
      ("R", "2R", "Sorcery", "Howl deals 2 damage to each creature without flying."))

card(EM, "Cloudforge Automaton", "Art", "U", "5", "Artf Crt - Golem", "Flying ^",
     "The smiths built it to fetch coal from the clouds.", "3/3")
card(EM, "Bellows of the Deep Forge", "Art", "R", "4", "Artifact",
     "< T > : Add < 2 > to your mana pool. | At the end of your turn, Bellows of the "
     "Deep Forge deals 1 damage to you.", mana="2")
card(EM, "Slagiron Sentry", "Art", "C", "3", "Artf Crt - Golem", "^",
     "It guards the slag heaps, which no one has ever tried to steal.", "2/3", value="")
card(EM, "Emberglass Orb", "Art", "C", "1", "Artifact",
     "< 1 > , < T > , Sacrifice Emberglass Orb: Add < RR > to your mana pool.", mana="RR")

card(EM, "Emberhold Citadel", "Lnd", "R", "", "Legendary Land",
     "< T > : Add < R > to your mana pool. | "
     "< 3 > , < T > : Creatures you control get +1/+0 until end of turn.", mana="R")
card(EM, "Cinderfield", "Lnd", "U", "", "Land",
     "Cinderfield comes into play tapped. | < T > : Add < B > or < R > to your mana pool.",
     mana="BR")
card(EM, "Ashen Crossing", "Lnd", "U", "", "Land",
     "Ashen Crossing comes into play with three charge counters on it. | "
     "< T > : Add < 1 > to your mana pool. &| "
     "< T > , Remove a charge counter: Add < G > or < W > to your mana pool.",
     mana="1GW")
basic_lands(EM)

# --- Fourth Codex (4E): the core edition, reprints and a few new cards. ---------------
# Its spoiler writes "Creature - <kind>" and "Artifact Creature - <kind>".

F4 = "4E"
for name, kind in [("\u00c6rnhold Sentinel", "Knight"), ("Causeway Lancer", "Knight"),
                   ("Gull Herald", "Bird"), ("Saltkin Diver", "Saltkin"),
                   ("Fogbank Drake", "Drake"), ("Morrow Ghoul", "Ghoul"),
                   ("Fen Wight", "Shade"), ("Kessik Emberhound", "Hound"),
                   ("Crag Wyrm", "Wyrm"), ("Thessa Wolf", "Wolf"),
                   ("Barkhide Boar", "Boar")]:
    reprint(F4, name, SV, CardType="Creature - " + kind)
# The codex prints the corrected text of the wyrm (see its rulings).
for c in CARDS:
    if c["Name"] == "Crag Wyrm" and c["Edition"] == F4:
        c["Text"] = ("Flying | < R > : Crag Wyrm gets +1/+0 until end of turn. "
                     "Play this ability no more than three times each turn. | "
                     "/ The peaks still smoke where it sleeps. \\")
for name in ["Undertow Denial", "Grasping Silt", "Cinder Volley", "Sap Surge",
             "Anchor Chain"]:
    reprint(F4, name, SV)
reprint(F4, "Driftwood Golem", SV, CardType="Artifact Creature - Golem")
for name in ["Slagpit Vent", "Shade Tithe", "Cleansing Ash"]:
    reprint(F4, name, EM)
reprint(F4, "Emberleaf Druid", EM, CardType="Creature - Druid")
reprint(F4, "Steamvent Sprite", EM, CardType="Creature - Sprite")
reprint(F4, "Emberhold Giant", EM, CardType="Creature - Giant")

card(F4, "Codex Archivist", "W", "U", "2W", "Creature - Cleric",
     "< 2W > , < T > : You gain 2 life.", pt="1/3")
card(F4, "Oathsworn Vanguard", "W", "C", "3W", "Creature - Knight", "^",
     "The oath is three words long. The vanguard has never needed a fourth.", "3/3")
card(F4, "Radiant Edict", "W", "R", "2WW", "Sorcery",
     "Destroy all creatures with power 3 or more. They cannot be regenerated.")
card(F4, "Gull Rookery", "W", "U", "3W", "Enchantment",
     "< 2W > : Put a 1/1 white Gull token creature with flying into play.")
card(F4, "Tidecaller Adept", "U", "C", "1U", "Creature - Wizard",
     "< U > , < T > : Target creature loses flying until end of turn.", pt="1/1")
card(F4, "Unmake the Pattern", "U", "U", "1UU", "Interrupt",
     "Cancel target artifact or enchantment spell.")
card(F4, "Deepwater Leviathan", "U", "R", "5UU", "Creature - Serpent",
     "Deepwater Leviathan cannot attack unless the defending player controls a "
     "Vell Shoal. | { When you control no Vell Shoal, bury Deepwater Leviathan. }",
     pt="7/7")
card(F4, "Gravebloom Shade", "B", "U", "2B", "Creature - Shade",
     "< B > : Gravebloom Shade gets +1/-1 until end of turn.", pt="2/2")
card(F4, "Night Tithe", "B", "C", "B", "Sorcery",
     "Target player shows his or her hand and discards a card of your choice that is "
     "not a land.")
card(F4, "Ossuary Lord", "B", "R", "4BB", "Creature - Shade",
     "Shade creatures get +1/+1 and have fenwalk. | Cleric creatures get -1/-1.",
     pt="4/4")
card(F4, "Kessik Warband", "R", "C", "2R", "Creature - Goblin",
     "When Kessik Warband comes into play, put a 1/1 red Goblin token creature into play.",
     pt="2/1")
card(F4, "Searing Rebuke", "R", "C", "1R", "Instant",
     "Searing Rebuke deals 2 damage to target attacking or blocking creature.")
card(F4, "Furnace Titan", "R", "R", "5RR", "Creature - Giant",
     "Trample, protection from blue ^",
     "When it walks, the forges of Emberhold answer. &| & -- Codex of the Hold &", "6/6")
card(F4, "Quillshell", "G", "C", "2G", "Creature - Beetle", "^",
     "Its shell grows a new thorn for every winter it survives.", "2/3")
card(F4, "Quillshell Matriarch", "G", "R", "4GG", "Creature - Beetle",
     "Beetle creatures get +1/+2.", pt="4/5")
card(F4, "Wildgrowth Pact", "G", "U", "1G", "Enchant Creature",
     "Enchanted creature gets +2/+2 and has trample.")
card(F4, "Fernglen Elder", "G", "C", "1G", "Creature - Druid",
     "< T > : Add < G > to your mana pool. | < GG > , < T > : You gain 1 life.",
     pt="1/2", mana="G")
card(F4, "Dawnmarsh Envoy", "Gld", "U", "1WB", "Creature - Cleric",
     "Protection from green | < T > : Target player gains 2 life, then you lose 1 life.",
     pt="2/2")
card(F4, "Stormbrew Elemental", "Gld", "R", "2UR", "Creature - Elemental",
     "Flying, first strike | { Stormbrew Elemental cannot be the target of "
     "interrupts. }", pt="3/2")
card(F4, "Codex Engine", "Art", "R", "6", "Artifact Creature - Golem",
     "Codex Engine comes into play tapped with three charge counters on it. | Trample | "
     "Remove a charge counter: Codex Engine gets +1/+1 until end of turn.", pt="5/5")
card(F4, "Wayfinder's Compass", "Art", "C", "2", "Artifact",
     "< 1 > , < T > : Look at the top card of your library. You may put it on the "
     "bottom of your library.")
card(F4, "Heraldry Totem", "Art", "U", "3", "Legendary Artifact",
     "Whenever a creature comes into play under your control, you may untap it.")
card(F4, "Hall of the Codex", "Lnd", "R", "", "Legendary Land",
     "< T > : Add < 1 > to your mana pool. | < 4 > , < T > : Draw a card.", mana="1")
card(F4, "Mirewood Bog", "Lnd", "U", "", "Land",
     "Mirewood Bog comes into play tapped. | < T > : Add < B > or < G > to your mana pool.",
     mana="BG")
basic_lands(F4)

VERSION = dict(Name="Version", Edition="@@", Color="", Rarity="", Cost="", CardType="",
               Text="Base 0.8 version", Flavor="02.07.01", PT="", Mana="", Value="",
               Artist="", Seq="")

# ---------------------------------------------------------------------------------------
# Card programs: card name, "=", program.
# ---------------------------------------------------------------------------------------

PROGRAMS = [
    ("\u00c6rnhold Sentinel", "KEYWORLD[_FS_]"),
    ("Gull Herald", "KEYWORLD[_FL_]"),
    ("Saltkin Diver", "KEYWORLD[_WU_]"),
    ("Fen Wight", "KEYWORLD[_WB_ _REG_]"),
    ("Wreckmonger", "ComesTap"),
    ("Crag Wyrm", "KEYWORLD[_FL_]"),
    ("Thicket Colossus", "KEYWORLD[_TR_]"),
    ("Rootweaver", "KEYWORLD[_MG_]"),
    ("Gnarlroot Elder", "STAB[Creature-Briarkin:+1/+1] KEYWORLD[_REG_]"),
    ("Sanctum of the Shallows",
     "STAB[Creature-Knight:1/1|Creature-Cleric:1/1|Creature-Bird:1/1]"),
    ("Tidewarden Chimera", "KEYWORLD[_FL_ _PB_]"),
    ("Silt Reaver", "KEYWORLD[_WW_]"),
    ("Saltmarsh Flats", "ComesTap KEYWORLD[_MW_ _MU_]"),
    ("Fogbank Drake", "KEYWORLD[_FL_]"),
    ("Drowned Choir", "KEYWORLD[_FL_]"),
    ("Kessik Emberhound", "KEYWORLD[_FS_]"),
    ("Barkhide Boar", "KEYWORLD[_TR_]"),
    ("Banner of the Hold", "STAB[Creature-Warden:1/1]"),
    ("Forgesworn Paladin", "KEYWORLD[_FS_ _PR_]"),
    ("Steamvent Sprite", "KEYWORLD[_FL_]"),
    ("Sootgrave Ghoul", "Counter:2_"),
    ("Cinderwing Imp", "KEYWORLD[_FL_]"),
    ("Pyre Revenant", "KEYWORLD[_PW_ _REG_]"),
    ("Emberhold Giant", "KEYWORLD[_TR_]"),
    ("Cindermaw", "KEYWORLD[_FL_ _TR_]"),
    ("Kessik Drummer", "STAB[Creature-Goblin:1/0;TR]"),
    ("Crag Runner", "KEYWORLD[_WR_]"),
    ("Emberleaf Druid", "KEYWORLD[_MG_]"),
    ("Fernglen Elder", "KEYWORLD[_MG_]"),
    ("Briarkin Scout", "KEYWORLD[_WG_]"),
    ("Briarkin Warband", "TOKEN[Name:Briarkin;Color:G;P/T:1/1;Text:;]"),
    ("Ashwind Harrier", "KEYWORLD[_FL_]"),
    ("Veldt Warlord", "KEYWORLD[_TR_] STAB[Creature-Giant:1/1]"),
    ("Cloudforge Automaton", "KEYWORLD[_FL_]"),
    ("Bellows of the Deep Forge", "KEYWORLD[_MART_]"),
    ("Cinderfield", "ComesTap KEYWORLD[_MB_ _MR_]"),
    ("Ashen Crossing", "Counter:3_ KEYWORLD[_MART_ _MG_ _MW_]"),
    ("Mirewood Bog", "ComesTap KEYWORLD[_MB_ _MG_]"),
    ("Ossuary Lord", "STAB[Creature-Shade:+1/+1;WB|Creature-Cleric:-1/-1]"),
    ("Quillshell Matriarch", "STAB[Creature-Beetle:1/2]"),
    ("Kessik Warband",
     "TOKEN[Name:Goblin Whelp;Color:R;P/T:1/1;Text:A whelp of the Kessik warband.;]"),
    ("Gull Rookery",
     "KEYWORLD[] TOKEN[Name:Gull;Color:W;P/T:1/1;Text:Flying;Programm:KEYWORLD[_FL_]"),
    ("Furnace Titan", "KEYWORLD[_TR_ _PU_]"),
    ("Dawnmarsh Envoy", "KEYWORLD[_PG_]"),
    ("Stormbrew Elemental", "KEYWORLD[_FL_ _FS_]"),
    ("Codex Engine", "ComesTap Counter:3_ KEYWORLD[_TR_]"),
]

# ---------------------------------------------------------------------------------------
# Rulings summary. An entry is (kind, text, changed): kind "info" (an "Info:" line),
# "text" / "errata" (the corrected text of the card), "rule" (a ruling), "note".
# ---------------------------------------------------------------------------------------

SUMMARY_DATE = "02/05/17"      # this summary, year/month/day
PREVIOUS_DATE = "02/04/12"     # the summary before it
CHANGES_DATE = "02/06/14"      # the changes-only summary in data/import/

RULINGS = [
    ("\u00c6rnhold Sentinel", [
        ("info", "Saltveil common, reprinted in Fourth Codex.", False),
        ("text", "First strike.", False),
        ("rule", "First strike damage is dealt before other combat damage, so a 1/1 "
                 "blocker without first strike dies before it can strike back "
                 "(see Rule 502.3.)", False),
    ]),
    ("Ashen Crossing", [
        ("info", "Emberhold uncommon.", False),
        ("text", "Ashen Crossing comes into play with three charge counters on it. "
                 "T: Add one colourless mana. T, Remove a charge counter: Add G or W.",
         False),
        ("rule", "Once the last charge counter is gone, the land still taps for one "
                 "colourless mana (see Rule 217.6.)", False),
        ("rule", "Charge counters are not +1/+1 counters; effects that move +1/+1 "
                 "counters cannot move them.", False),
    ]),
    ("Bargain at Low Tide", [
        ("info", "Saltveil rare.", False),
        ("errata", "Choose a number greater than 0. Lose that much life, then draw that "
                   "many cards at the beginning of your next upkeep.", False),
        ("rule", "You may choose a number higher than your life total. If you do, you "
                 "lose the game before the cards are drawn, as Rule 103.3. explains.",
         False),
    ]),
    ("Blasting Gale", [
        ("info", "Saltveil uncommon.", False),
        ("text", "Blasting Gale deals X damage divided as you choose among any number "
                 "of target creatures without flying.", False),
        ("rule", "You divide the damage when you play the spell, and each target must "
                 "be assigned at least 1 damage (see Rule 212.3b.)", False),
        ("note", "With X equal to 0 the spell may be played with no targets at all.",
         False),
    ]),
    ("Causeway Lancer", [
        ("info", "Saltveil common, reprinted in Fourth Codex.", False),
        ("text", "Whenever Causeway Lancer attacks, it gets +1/+0 until end of turn.",
         False),
        ("rule", "The bonus is gained when the lancer is declared as an attacker and "
                 "lasts even if it is removed from combat.", False),
    ]),
    ("Cindermaw", [
        ("info", "Emberhold rare.", False),
        ("text", "Flying, trample. When Cindermaw comes into play, it deals 1 damage to "
                 "each other creature.", False),
        ("rule", "The damage is dealt once, on arrival, and not again when control of "
                 "Cindermaw changes (see Rule 410.2.)", False),
    ]),
    ("Codex Engine", [
        ("info", "Fourth Codex rare.", False),
        ("text", "Codex Engine comes into play tapped with three charge counters on it. "
                 "Trample. Remove a charge counter: Codex Engine gets +1/+1 until end of "
                 "turn.", False),
        ("rule", "Removing a counter is the cost of the ability; it can be done even "
                 "while the engine is tapped (see Rule 212.3b.)", False),
        ("note", "The engine is an artifact creature, so spells that affect artifacts "
                 "affect it too.", False),
    ]),
    ("Crag Wyrm", [
        ("info", "Saltveil rare, reprinted in Fourth Codex.", False),
        ("errata", "Flying. R: Crag Wyrm gets +1/+0 until end of turn. Play this ability "
                   "no more than three times each turn.", False),
        ("rule", "The limit counts every activation in the turn, including those that "
                 "were cancelled (see Rule 212.3b.)", True),
        ("note", "The Fourth Codex printing already carries the limit.", False),
    ]),
    ("Dawnsalt Rite", [
        ("info", "Saltveil uncommon.", False),
        ("text", "Return each creature with power 2 or less to its owner's hand. Each "
                 "player gains 1 life for each of his or her creatures returned this way.",
         False),
        ("rule", "A creature's power is checked as the spell resolves, so a creature "
                 "that was pumped earlier in the turn may escape.", False),
        ("rule", "Tokens returned this way count for the life gain and then cease to "
                 "exist (see Rule 217.2.)", False),
    ]),
    ("Drowned Library", [
        ("info", "Saltveil rare.", False),
        ("text", "At the beginning of your upkeep, draw a card, then discard a card. 1U: "
                 "Put the top card of target player's library into his or her graveyard.",
         False),
        ("rule", "The draw and the discard are not optional; with an empty hand you "
                 "discard the card you just drew.", False),
    ]),
    ("Embersoul Pact", [
        ("info", "Emberhold rare.", False),
        ("text", "At the beginning of your upkeep, pay 1 life or bury Embersoul Pact. "
                 "Whenever a creature is put into a graveyard from play, draw a card.",
         False),
        ("rule", "To bury a permanent is to put it into its owner's graveyard; it "
                 "cannot be regenerated (see Rule 420.2.)", False),
    ]),
    ("Fen Wight", [
        ("info", "Saltveil uncommon, reprinted in Fourth Codex.", False),
        ("text", "Fenwalk. B: Regenerate Fen Wight.", False),
        ("rule", "Fenwalk makes the wight unblockable as long as the defending player "
                 "controls a Morrow Fen (see Rule 502.9.)", False),
        ("rule", "Rule 502.12, regeneration, applies: a regenerated wight is tapped and "
                 "removed from combat.", False),
    ]),
    ("Gnarlroot Elder", [
        ("info", "Saltveil rare.", False),
        ("text", "All Briarkin creatures get +1/+1. G: Regenerate Gnarlroot Elder.",
         False),
        ("rule", "The bonus applies to the Briarkins of every player, not only to "
                 "yours.", False),
        ("note", "Briarkin tokens are Briarkin creatures and get the bonus.", False),
    ]),
    ("Kessik Drummer", [
        ("info", "Emberhold uncommon.", False),
        ("text", "All Goblin creatures get +1/+0 and have trample.", False),
        ("rule", "Two Drummers give each Goblin +2/+0; trample does not add up "
                 "(see Rule 502.11.)", False),
    ]),
    ("Hush/Howl (Hush)", [
        ("info", "Emberhold uncommon split card.", False),
        ("text", "Hush: Cancel target instant or interrupt. Howl: Howl deals 2 damage to "
                 "each creature without flying.", False),
        ("rule", "Only one half can be played at a time; the other half goes to the "
                 "graveyard with it (see Rule 306.1c.)", False),
        ("rule", "The converted cost of the card in any zone but the stack is the total "
                 "of both halves.", False),
    ]),
    ("Lighthouse Lens", [
        ("info", "Saltveil rare.", False),
        ("text", "X, T: Lighthouse Lens deals X damage to target attacking creature.",
         False),
        ("rule", "The Lens can be used after blockers are declared, before any combat "
                 "damage is dealt (see Rule 212.3b.)", False),
    ]),
    ("Mend/Rend (Rend)", [
        ("info", "Saltveil uncommon split card.", False),
        ("text", "Mend: Prevent all damage that would be dealt to target creature this "
                 "turn. Rend: Destroy target tapped creature. It cannot be regenerated.",
         False),
        ("rule", "If the target is untapped as Rend resolves, the spell does nothing "
                 "(see Rule 306.1c.)", False),
    ]),
    ("Ossuary Lord", [
        ("info", "Fourth Codex rare.", False),
        ("text", "All Shade creatures get +1/+1 and have fenwalk. All Cleric creatures "
                 "get -1/-1.", False),
        ("rule", "The Lord is a Shade itself and gets its own bonus.", False),
        ("rule", "A Cleric whose toughness drops to 0 is put into the graveyard at once "
                 "(see Rule 420.5b.)", False),
    ]),
    ("Sap Surge", [
        ("info", "Saltveil common, reprinted in Fourth Codex.", False),
        ("text", "Add GGG to your mana pool. Play this only during your turn.", False),
        ("rule", "Sap Surge is a mana source, not an instant: it can be played while "
                 "paying a cost, as Rule 305.2. says.", False),
    ]),
    ("Thicket Colossus", [
        ("info", "Saltveil rare.", False),
        ("text", "Trample. Thicket Colossus's power and toughness are each equal to the "
                 "number of lands you control.", False),
        ("rule", "The numbers change at once whenever a land comes or goes "
                 "(see Rule 208.2.)", False),
        ("note", "Effects that raise power and toughness apply on top of the number of "
                 "lands.", False),
    ]),
    ("Tidecount Elemental", [
        ("info", "Saltveil rare.", False),
        ("errata", "Tidecount Elemental's power is equal to the number of Vell Shoals "
                   "you control. Its toughness is 3.", False),
        ("rule", "In every zone but play the power is 0 (see Rule 208.2.)", False),
    ]),
    ("Tidewarden Chimera", [
        ("info", "Saltveil rare.", False),
        ("text", "Flying, protection from black.", False),
        ("rule", "Black creatures cannot block the Chimera, and damage from black "
                 "sources dealt to it is prevented (see Rule 502.7.)", False),
    ]),
    ("Undertow Denial", [
        ("info", "Saltveil common, reprinted in Fourth Codex.", False),
        ("text", "Cancel target spell. Its caster may pay 2 to keep it on the stack.",
         False),
        ("rule", "Undertow Denial is an interrupt and must be played in answer to the "
                 "spell it targets (see Rule 304.1.)", False),
        ("rule", "The caster decides whether to pay while Undertow Denial resolves.",
         True),
    ]),
    ("Vessa, Ember Oracle", [
        ("info", "Emberhold rare, a Legend.", False),
        ("text", "T: Look at the top card of target player's library. You may put it "
                 "into that player's graveyard.", False),
        ("rule", "Under Rule 420.5a, only one Vessa may be in play at a time.", False),
        ("note", "The card put into the graveyard is not revealed to other players.",
         False),
    ]),
    ("Wreckmonger", [
        ("info", "Saltveil common.", False),
        ("text", "Wreckmonger comes into play tapped. T: Put target artifact card from a "
                 "graveyard on the bottom of its owner's library.", False),
        ("rule", "The golden rule holds here as anywhere: the card's own text wins over "
                 "the rules (see Rule 100.1.)", False),
    ]),
]

# The changes-only summary: blocks of cards whose rulings changed after SUMMARY_DATE.
CHANGED_RULINGS = [
    ("Blasting Gale", [
        ("info", "Saltveil uncommon.", False),
        ("text", "Blasting Gale deals X damage divided as you choose among any number "
                 "of target creatures without flying.", False),
        ("rule", "You divide the damage when you play the spell, and each target must "
                 "be assigned at least 1 damage (see Rule 212.3b.)", False),
        ("rule", "If one of the creatures gains flying before the spell resolves, the "
                 "damage assigned to it is not dealt (see Rule 413.2.)", True),
    ]),
    ("Crag Wyrm", [
        ("info", "Saltveil rare, reprinted in Fourth Codex.", False),
        ("errata", "Flying. R: Crag Wyrm gets +1/+0 until end of turn. Play this ability "
                   "no more than three times each turn.", False),
        ("rule", "The limit counts only activations that you played yourself this turn "
                 "(see Rule 212.3b.)", True),
        ("note", "The Fourth Codex printing already carries the limit.", False),
    ]),
    ("Stormbrew Elemental", [
        ("info", "Fourth Codex rare.", True),
        ("text", "Flying, first strike. Stormbrew Elemental cannot be the target of "
                 "interrupts.", True),
        ("rule", "An interrupt that would target any creature cannot choose the "
                 "Elemental (see Rule 304.1.)", True),
    ]),
]

# The help topics of the game rules that the rulings cite: number, title, text.
RULES = [
    ("100.1", "The golden rule",
     "Whenever the text of a card contradicts these rules, the card wins. When one card "
     "says a thing may be done and another says it may not, it may not."),
    ("103.3", "Choosing numbers",
     "When a player is asked to choose a number, he or she may choose any whole number "
     "from 0 up unless the card says otherwise. Losing more life than one has is "
     "allowed; the player then loses the game as soon as the rules are checked."),
    ("208.2", "Variable power and toughness",
     "A creature whose power or toughness is printed as * has an ability that defines "
     "the number. The ability works in every zone; where it counts things that are not "
     "there, the number is 0."),
    ("212.3b", "Activated abilities",
     "An activated ability is written as cost, colon, effect. It may be played whenever "
     "its controller could play an instant, also while the permanent is tapped when "
     "the cost holds no tap symbol. Choices such as targets and the division of damage "
     "are made as the ability or spell is played."),
    ("217.2", "Tokens",
     "A token is a permanent that is no card. A token that leaves play for any zone "
     "ceases to exist when the rules are next checked."),
    ("217.6", "Counters",
     "A counter is a marker put on a permanent. Counters of different names are "
     "different counters: removing a charge counter never removes a +1/+1 counter."),
    ("304.1", "Interrupts",
     "An interrupt is played in answer to a spell or ability and resolves before it. "
     "Interrupts may target only spells and abilities that have not yet resolved."),
    ("305.2", "Mana sources",
     "A mana source is a spell that adds mana. It may be played while its controller "
     "is paying a cost and resolves at once; it cannot be answered by an interrupt."),
    ("306.1c", "Split cards",
     "A split card has two halves printed on one card. Only one half is played at a "
     "time; the card goes to the graveyard as a whole. Outside the stack its name, "
     "colour and cost are those of both halves together."),
    ("410.2", "Coming into play",
     "Abilities that trigger when a permanent comes into play trigger once, when it "
     "arrives. A change of control is no coming into play."),
    ("413.2", "Illegal targets",
     "When a spell or ability resolves, its targets are checked again. Damage assigned "
     "to a target that has become illegal is not dealt; the rest of the effect still "
     "happens."),
    ("420.2", "Bury",
     "To bury a permanent is to put it into its owner's graveyard. A buried permanent "
     "cannot be regenerated."),
    ("420.5a", "Legends",
     "A Legend is unique: if two Legends of the same name are in play, all but the one "
     "that came first are put into their owners' graveyards."),
    ("420.5b", "Lethal toughness",
     "A creature with toughness 0 or less is put into its owner's graveyard when the "
     "rules are next checked. It cannot be regenerated."),
    ("502.3", "First strike",
     "A creature with first strike deals its combat damage in a step of its own, before "
     "creatures without first strike deal theirs."),
    ("502.7", "Protection",
     "Protection from a colour means: the creature cannot be blocked by creatures of "
     "that colour, cannot be the target of spells or abilities of that colour, cannot "
     "be enchanted by enchantments of that colour, and damage from sources of that "
     "colour is prevented."),
    ("502.9", "Landwalk",
     "A creature with landwalk (plateauwalk, shoalwalk, fenwalk, cragwalk, thicketwalk) "
     "cannot be blocked while the defending player controls a land of that name."),
    ("502.11", "Trample",
     "An attacking creature with trample assigns lethal damage to its blockers and the "
     "rest to the defending player. Several instances of trample on one creature are "
     "no more than one."),
    ("502.12", "Regeneration",
     "To regenerate a creature is to replace its next destruction this turn: instead it "
     "is tapped, removed from combat and all damage on it is removed."),
]

# ---------------------------------------------------------------------------------------
# The text spoiler of Glasswater (GL), the edition the import brings in. Fields:
# title, colour word, type, cost, power/toughness ("n/a" for none), text lines,
# flavour lines, artist, rarity word. Card numbers are given in list order.
# ---------------------------------------------------------------------------------------

SPOILER = [
    ("Glassmere Heron", "White", "Creature - Bird", "2W", "1/3",
     ["Flying"], ["It fishes for its own reflection."], "Mira Oakes", "Common"),
    ("Mirrorshield Warden", "White", "Creature - Warden", "1WW", "2/3",
     ["< W > , < T > : Prevent the next 1 damage that would", "be dealt to any creature "
      "this turn."], [], "Edda Brannock", "Uncommon"),
    ("Lucent Decree", "White", "Sorcery", "3WW", "n/a",
     ["Destroy all tapped creatures. | Each player gains 1 life", "for each creature "
      "destroyed this way."], [], "Oren Halloway", "Rare"),
    ("Mirrorpool Adept", "Blue", "Creature - Wizard", "1U", "1/1",
     ["< U > , < T > : Return target creature token to its", "owner's hand. ^"],
     ["Every pool has two faces. She speaks to both."], "Sefa Quill", "Common"),
    ("Refracting Ward", "Blue", "Interrupt", "UU", "n/a",
     ["Cancel target spell that targets a creature you control."], [], "Lio Varga",
     "Uncommon"),
    ("Glasswater Serpent", "Blue", "Creature - Serpent", "4UU", "5/5",
     ["Shoalwalk | Glasswater Serpent cannot block."], [], "Tovin Haller", "Rare"),
    ("Silvered Shade", "Black", "Creature - Shade", "2B", "2/2",
     ["Fenwalk"], [], "Kit Marrow", "Common"),
    ("Shatterbone Ritual", "Black", "Sorcery", "1BB", "n/a",
     ["Target player discards two cards at random."], [], "Nadia Voss", "Uncommon"),
    ("Kilnbright Goblin", "Red", "Creature - Goblin", "1R", "2/1",
     ["First strike"], [], "Jonah Redfern", "Common"),
    ("Molten Glaze", "Red", "Instant", "2R", "n/a",
     ["Molten Glaze deals 3 damage to target creature.", "That creature cannot be "
      "regenerated this turn."], [], "Bram Ostley", "Common"),
    ("Glassfire Drake", "Red", "Creature - Drake", "3RR", "4/3",
     ["Flying | < R > : Glassfire Drake gets +1/+0 until", "end of turn."],
     ["Its breath turns sand to windows."], "Piet Alcorn", "Rare"),
    ("Faceted Stag", "Green", "Creature - Stag", "3G", "3/3",
     ["Trample"], [], "Yuna Sallow", "Common"),
    ("Bloomglass Druid", "Green", "Creature - Druid", "1G", "1/1",
     ["< T > : Add < G > to your mana pool."], [], "Mira Oakes", "Common"),
    ("Facet Weaver", "Multi (Green/Blue)", "Creature - Briarkin", "1GU", "*/2",
     ["Facet Weaver's power is equal to the number of cards in your hand."], [],
     "Tovin Haller", "Rare"),
    ("Shine/Shade (Shine)", "White", "Instant", "W", "n/a",
     ["Target creature gains protection from black until end of turn."], [],
     "Lio Varga", "Uncommon"),
    ("Shine/Shade (Shade)", "Black", "Instant", "1B", "n/a",
     ["Target creature gets -1/-1 until end of turn."], [], "Lio Varga", "Uncommon"),
    ("Lensmaker's Golem", "Artifact", "Artifact Creature - Golem", "4", "2/4",
     ["< 2 > , < T > : Target creature gets -1/-0 until end of turn."], [],
     "Edda Brannock", "Uncommon"),
    ("Glass Reliquary", "Artifact", "Artifact", "3", "n/a",
     ["< T > : Add < 1 > to your mana pool. | < 3 > , < T > : Draw a card."], [],
     "Piet Alcorn", "Rare"),
    ("Glasswater Strand", "Land", "Land", "", "n/a",
     ["Glasswater Strand comes into play tapped. | < T > : Add < U > or < R > to",
      "your mana pool."], [], "Yuna Sallow", "Uncommon"),
    ("Cinder Volley", "Red", "Instant", "R", "n/a",
     ["Cinder Volley deals 1 damage to each of up to two target creatures."], [],
     "Kit Marrow", "Common"),
]
SPOILER_PROGRAMS = [
    ("Glassmere Heron", "KEYWORLD[_FL_]"),
    ("Mirrorshield Warden", "STAB[Creature-Warden:0/1]"),
    ("Silvered Shade", "KEYWORLD[_WB_]"),
    ("Kilnbright Goblin", "KEYWORLD[_FS_]"),
    ("Glassfire Drake", "KEYWORLD[_FL_]"),
    ("Faceted Stag", "KEYWORLD[_TR_]"),
    ("Bloomglass Druid", "KEYWORLD[_MG_]"),
    ("Glass Reliquary", "KEYWORLD[_MART_]"),
    ("Glasswater Strand", "ComesTap KEYWORLD[_MU_ _MR_]"),
    # A changed program for a card already in the base (name in another letter case).
    ("crag wyrm", "KEYWORLD[_FL_ _FS_]"),
]

# ---------------------------------------------------------------------------------------
# Decks. New-format lines are (count, edition, name) or ("//", text) or ("SB", count,
# edition, name). The old-format deck names no editions.
# ---------------------------------------------------------------------------------------

DECKS = {
    "tidewall.dec": [
        ("//", "Tidewall: white and blue fliers behind a wall of knights"),
        ("//", "Lands"),
        (10, "4E", "Orren Plateau"), (9, "4E", "Vell Shoal"), (4, "SV", "Saltmarsh Flats"),
        ("//", "Creatures"),
        (4, "4E", "\u00c6rnhold Sentinel"), (4, "4E", "Gull Herald"),
        (4, "4E", "Causeway Lancer"), (3, "SV", "Lantern Cleric"),
        (3, "4E", "Fogbank Drake"), (2, "SV", "Tidewarden Chimera"),
        (2, "SV", "Tidecount Elemental"),
        ("//", "Spells"),
        (4, "4E", "Undertow Denial"), (3, "SV", "Mirror the Current"),
        (2, "SV", "Mend/Rend"), (2, "SV", "Tideward Blessing"),
        (2, "4E", "Gull Rookery"), (2, "SV", "Sanctum of the Shallows"),
        ("SB", 3, "EM", "Hiss of Steam"), ("SB", 2, "EM", "Cleansing Ash"),
        ("SB", 2, "4E", "Radiant Edict"), ("SB", 3, "EM", "Ward of Cinders"),
        ("SB", 2, "4E", "Unmake the Pattern"), ("SB", 3, "SV", "Kelp Tangle"),
    ],
    "ember_rush.dec": [
        ("//", "Ember Rush: goblins, burn and a dragon or two"),
        (20, "EM", "Kessik Crag"), (2, "EM", "Emberhold Citadel"),
        (4, "EM", "Crag Runner"), (4, "EM", "Bellows Goblin"),
        (4, "4E", "Kessik Emberhound"), (3, "EM", "Kessik Drummer"),
        (3, "4E", "Kessik Warband"), (2, "EM", "Emberhold Giant"),
        (2, "EM", "Cindermaw"),
        (4, "4E", "Cinder Volley"), (4, "EM", "Slagpit Vent"), (4, "4E", "Searing Rebuke"),
        (2, "EM", "Hush/Howl"), (2, "SV", "Riot at the Docks"),
        ("SB", 3, "EM", "Slag Eruption"), ("SB", 2, "SV", "Blasting Gale"),
        ("SB", 4, "SV", "Ember Pact"), ("SB", 2, "4E", "Furnace Titan"),
        ("SB", 2, "EM", "Emberglass Orb"), ("SB", 2, "SV", "Squall Raider"),
    ],
    "thicket_giants.dec": [
        ("//", "Thicket Giants: green and red beasts, ramp into giants"),
        (12, "4E", "Thessa Thicket"), (8, "4E", "Kessik Crag"), (3, "EM", "Ashen Crossing"),
        (4, "4E", "Emberleaf Druid"), (4, "4E", "Fernglen Elder"),
        (4, "4E", "Thessa Wolf"), (3, "4E", "Quillshell"),
        (2, "4E", "Quillshell Matriarch"), (3, "4E", "Barkhide Boar"),
        (3, "EM", "Veldt Warlord"), (2, "SV", "Thicket Colossus"),
        (2, "EM", "Emberhold Giant"),
        (4, "SV", "Sap Surge"), (3, "4E", "Wildgrowth Pact"), (3, "EM", "Slagpit Vent"),
        ("//", "Sideboard: fliers and enchantments"),
        ("SB", 3, "SV", "Brambleweb Snare"), ("SB", 3, "EM", "Scarp Beetle"),
        ("SB", 2, "SV", "Sapwell Tangle"), ("SB", 2, "EM", "Wildfire Bloom"),
        ("SB", 3, "SV", "Cinder Volley"), ("SB", 2, "EM", "Verdant Rekindling"),
    ],
}
OLD_DECK_NAME = "old_fen_shades.dec"
OLD_DECK = [  # count, name, sideboard?
    (None, "// Fen Shades, written before decks named their editions"),
    (22, "Morrow Fen", False), (4, "Fen Wight", False), (4, "Morrow Ghoul", False),
    (3, "Drowned Choir", False), (4, "Cinderwing Imp", False), (3, "Sootgrave Ghoul", False),
    (2, "Pyre Revenant", False), (2, "Ossuary Lord", False), (3, "Gravebloom Shade", False),
    (4, "Grasping Silt", False), (3, "Shade Tithe", False), (2, "Forge Smoke", False),
    (2, "Night Tithe", False), (2, "Salt the Wound", False),
    (3, "Bargain at Low Tide", True), (4, "Embersoul Pact", True), (4, "Wreckmonger", True),
    (4, "Lowtide Revenant", True),
]

# ---------------------------------------------------------------------------------------
# The price list (fixed columns: the name in characters 1 to 30, the column separator in
# character 31, the price from character 32 before the first ",").
# ---------------------------------------------------------------------------------------

PRICE_LIST = [  # name as the dealer writes it, edition abbreviation or None, price
    ("Crag Wyrm", "SV", "7.50"),
    ("Crag Wyrm", "4th", "3.25"),
    ("Thicket Colossus", None, "9.00"),
    ("Tidewarden Chimera", "SV", "6.75"),
    ("Drowned Library", "SV", "5.00"),
    ("Cindermaw", "EM", "8.00"),
    ("Vessa, Ember Oracle", "EM", "11.50"),
    ("Sanctum of the Shallows", None, "4.25"),
    ("Mend/Rend", "SV", "1.10"),
    ("Hush/Howl", None, "0.90"),
    ("Fen Wight", None, "1.40"),
    ("Undertow Denial", "4th", "0.30"),
    ("Emberhold Citadel", "EM", "3.50"),
    ("Furnace Titan", "4th", "4.75"),
    ("Codex Engine", "4th", "2.80"),
    ("Kessik Drummer", "EM", "1.75"),
    ("Lighthouse Lens", "SV", "3.10"),
    ("Ossuary Lord", "4th", "5.50"),
    ("Glassfire Drake", "GL", "6.00"),
    ("Facet Weaver", "GL", "4.40"),
]

# =======================================================================================
# Writers and checks.
# =======================================================================================

LINE_ORDER = ["Name", "Edition", "Color", "Text", "Rarity", "PT", "Value", "CardType",
              "Cost", "Artist", "Flavor", "Mana", "Seq"]
SEPARATOR = "-      -     *     -     *     - A -     *     -     *     -     -"
PROGRAM_MARKER = "///PROG CARD CODE\\\\\\"


def fail(message):
    sys.exit("make_sample_data: " + message)


def fold(text):
    """The case folding of the card-list order: A-Z and the accented capitals of the
    Western code page fold onto their small letters; everything else compares as is."""
    out = bytearray()
    for b in text.encode("cp1252"):
        if 0x41 <= b <= 0x5A or (0xC0 <= b <= 0xDE and b != 0xD7):
            b += 0x20
        out.append(b)
    return bytes(out)


def write_lines(path, lines, encoding="cp1252"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        for line in lines:
            if "\r" in line or "\n" in line:
                fail("line break inside a line of %s: %r" % (path, line))
            f.write(line.encode(encoding) + b"\r\n")


def artist_for(name, edition):
    n = sum(name.encode("cp1252")) + sum(edition.encode("ascii"))
    return ARTISTS[n % len(ARTISTS)]


def assign_numbers_prices_artists():
    counters = {}
    for ed, _ in EDITIONS:
        cards = [c for c in CARDS if c["Edition"] == ed]
        physical = []  # one entry per printed card: list of its records
        seen = {}
        for c in cards:
            key = c["half_of"] or c["Name"]
            if key in seen:
                seen[key].append(c)
            else:
                seen[key] = [c]
                physical.append(seen[key])

        def order(recs):
            c = recs[0]
            col = COLOR_ORDER.index(c["Color"]) if not c["half_of"] else 5.5
            return (col, c["half_of"] or c["Name"])

        physical.sort(key=order)
        total = len(physical)
        for number, recs in enumerate(physical, 1):
            rarity = recs[0]["Rarity"]
            i = counters.get(rarity, 0)
            counters[rarity] = i + 1
            value = PRICES[rarity][i % len(PRICES[rarity])]
            artist = artist_for(recs[0]["half_of"] or recs[0]["Name"], ed)
            for c in recs:
                c["Seq"] = "%d/%d" % (number, total)
                if c["Value"] is None:
                    c["Value"] = value
                if c["Artist"] is None:
                    c["Artist"] = artist
    for c in CARDS:
        if c["Artist"] and not c["Artist"].startswith(" "):
            # The face writes "Illus." and the field as it stands: the blank is ours.
            c["Artist"] = " " + c["Artist"]


def card_line(c):
    fields = []
    for f in LINE_ORDER:
        v = c[f] or ""
        if "\t" in v:
            fail("TAB in field %s of %s" % (f, c["Name"]))
        fields.append(v + "\t")
    return "".join(fields)


def sorted_card_lines():
    lines = [card_line(c) for c in CARDS] + [card_line(VERSION)]
    lines.sort(key=fold)
    return lines


def find_card(name, edition=""):
    for c in CARDS:
        if c["Name"] == name and (not edition or c["Edition"] == edition):
            return c
    return None


def deck_card_exists(edition, name):
    if "/" in name:  # a split card stands in a deck under its split name
        name = "%s (%s)" % (name, name.split("/")[0])
    return find_card(name, edition) is not None


# --- rulings ---------------------------------------------------------------------------

def wrap(text, first, rest, width=78):
    words = text.split(" ")
    lines, cur = [], first
    for w in words:
        if len(cur) + len(w) + 1 > width and cur.strip() not in ("", "+", "*", "+ *"):
            lines.append(cur.rstrip())
            cur = rest
        cur += w + " "
    lines.append(cur.rstrip())
    return lines


def ruling_block(name, entries):
    out = [name + ":"]
    for kind, text, changed in entries:
        mark = "+" if changed else " "
        if kind == "info":
            out.append(mark + " Info: " + text)
            continue
        head = {"text": "Text(clarified) ", "errata": "Text(errata) ", "rule": "* ",
                "note": "* Note: "}[kind]
        # Only the first line of a changed entry carries the mark: the continuation
        # lines are joined to it, and a mark inside the text would split a reference.
        out += wrap(head + text, mark + " ", "     ")
    return out


def summary(title_line, since, blocks):
    lines = ["ZANDOR TRADING CARD GAME",
             "Oracle of the Tides -- collected rulings of the sample card base",
             title_line,
             "A '+' is used to mark changes since the " + since + " release.",
             "", SEPARATOR, ""]
    for i, (name, entries) in enumerate(sorted(blocks, key=lambda b: fold(b[0]))):
        if i:
            lines.append("")
        lines += ruling_block(name, entries)
    return lines


def collect_ruling_entries(rule_lines, name):
    """The entries of a card's block, as the information panel gathers them."""
    try:
        i = rule_lines.index(name + ":")
    except ValueError:
        return []
    entries, acc, in_text = [], "", False
    for line in rule_lines[i + 1:] + [""]:
        if line == "":
            entries.append(acc.strip())
            break
        third = line[2] if len(line) > 2 else ""
        if "Info:" in line:
            entries.append(line.strip())
        else:
            if in_text and third == " ":
                acc += " " + line.strip()
            elif in_text:
                in_text = False
                entries.append(acc)
                acc = ""
            if "Text(" in line:
                acc, in_text = line.strip(), True
            if not in_text:
                if third != " ":
                    if acc:
                        entries.append(acc)
                    acc = line.strip()
                else:
                    acc += " " + line.strip()
        if not (line.startswith(" ") or line.startswith("+")):
            break
    return entries


def rule_topic(entry):
    """The help topic that the first rule reference of a ruling jumps to, or None."""
    s = list(entry)
    text = entry
    if "see Rule" in text:
        r = text.index("Rule")
        close = [")"]
    elif "Rule " in text:
        r = text.index("Rule")
        if r == 0:
            return None
        close = [".", ","]
    else:
        return None
    s[r - 1] = "<"
    passed, end = False, None
    for j in range(r, len(s)):
        if passed and s[j] in close:
            end = j
            break
        if s[j] == ".":
            passed = True
    if end is None:
        fail("rule reference without its closing character: " + entry)
    return "".join(s[r:end])[5:]


def check_rulings(lines, blocks, known_cards):
    topics = set()
    for name, _ in blocks:
        if name not in known_cards:
            fail("rulings for a card that is not in the base: " + name)
        entries = collect_ruling_entries(lines, name)
        if len(entries) < 2 or "Info:" not in entries[0] or "Text(" not in entries[1]:
            fail("rulings block of %s does not start with Info: and Text(: %r"
                 % (name, entries))
        for e in entries[2:]:
            t = rule_topic(e)
            if t:
                topics.add(t)
    return topics


# --- the files -------------------------------------------------------------------------

def ini_lines():
    L = ["[Location]", "Pic=@PICDIR@", "", "[Ramka]", "Key=0", "",
         "[Print]", "UseTempPic=1", "UseOsn=0", "UseBord=0", "Use5MM=0", "",
         "[ViewCard]", "UseAnim=0", "UseCopy=0", "", "[Stretch]", "Key=0", "",
         "[Edition]"]
    L += ["%s=%s" % e for e in EDITIONS]
    L += ["", "[Edition Filters]"] + ["%s=1" % code for code, _ in EDITIONS]
    L += ["", "[Spell Filters]"]
    for caption in ["Instant", "Interrupt", "Sorcery", "Creature", "Enchahtment",
                    "Enchant {other}", "Land", "Mana Source", "Artifact Creature",
                    "Artifact {non-creature}"]:
        L.append(caption + "=1")
    L += ["", "[Color Filters]"]
    for caption in ["Black", "Blue", "Green", "Red", "White", "Gold", "Artifacts", "Land"]:
        L.append(caption + "=1")
    L += ["{and} Gold=0", "", "[Rarity Filters]", "Common=1", "Uncommon=1", "Rare=1", "",
          "[Type Filters]", "Key=1", "", "[Type Games Edition]"]
    L += ["%s=%s" % (key, ",".join(names)) for key, names in TOURNAMENT_SETS]
    L += ["", "[Update]", "Price=02.07.01"]
    return L


def program_lines(programs, known):
    names = set()
    for name, _ in programs:
        if name.lower() in names:
            fail("two programs for " + name)
        names.add(name.lower())
        if name.lower() not in known:
            fail("program for a card that is not in the base: " + name)
    lines = ["%s=%s" % p for p in programs]
    lines.sort(key=lambda s: fold(s))
    return lines


def spoiler_lines():
    total = len({s[0].split(" (")[0] for s in SPOILER})
    L = ["Glasswater -- complete text spoiler list", "%d cards, listed by colour" % total,
         ""]
    number, seen = 0, {}
    for (title, color, ctype, cost, pt, text, flavor, artist, rarity) in SPOILER:
        base = title.split(" (")[0]
        if base not in seen:
            number += 1
            seen[base] = number
        L.append("Card Title:   " + title)
        L.append("Card Color:   " + color)
        L.append("Type & Class: " + ctype)
        L.append("Casting Cost: " + cost)
        L.append("Pow/Tgh:      " + pt)
        L.append("Card Text:    " + text[0])
        L += ["              " + t for t in text[1:]]
        L.append("Flavor Text:  " + (flavor[0] if flavor else ""))
        L += ["              " + t for t in flavor[1:]]
        L.append("Artist:       " + artist)
        L.append("Rarity:       " + rarity)
        L.append("Card #:       %d/%d" % (seen[base], total))
        L.append("")
    L.append(PROGRAM_MARKER)
    L += ["%s=%s" % p for p in SPOILER_PROGRAMS]
    return L


def deck_lines(lines):
    out = []
    for item in lines:
        if item[0] == "//":
            out.append("// " + item[1])
        elif item[0] == "SB":
            _, n, ed, name = item
            out.append("SB: %d [%s] - %s" % (n, ed, name))
        else:
            n, ed, name = item
            out.append("    %d [%s] - %s" % (n, ed, name))
    return out


def price_lines():
    L = ["card name                     |  price ,    low ,   high",
         "------------------------------+--------+--------+-------"]
    for name, abbr, price in PRICE_LIST:
        column = name + (" (%s)" % abbr if abbr else "")
        if len(column) > 30:
            fail("price list name too long: " + column)
        low = "%.2f" % (float(price) * 0.8)
        high = "%.2f" % (float(price) * 1.25)
        L.append("%-30s|%7s ,%7s ,%7s" % (column, price, low, high))
    L += ["------------------------------+--------+--------+-------",
          "total: %d cards" % len(PRICE_LIST)]
    return L


SPELL_RULES = [  # the spell-type items of the card filter and their tests
    ("Instant", lambda t: t == "Instant"),
    ("Interrupt", lambda t: t == "Interrupt"),
    ("Sorcery", lambda t: t == "Sorcery"),
    ("Creature", lambda t: t.startswith(("Creature", "Smn ", "Summon "))),
    ("Enchantment", lambda t: t == "Enchantment"),
    ("Enchant {other}", lambda t: t.startswith(("Echt", "Enchant "))),
    ("Land", lambda t: t.startswith(("Land", "Legendary Land"))),
    ("Mana Source", lambda t: t == "Mana Source"),
    ("Artifact Creature", lambda t: "Artf Crt" in t or ("Artifact" in t and "Creature" in t)),
    ("Artifact {non-creature}", lambda t: "Artifact" in t and "Artifact " not in t),
]
# Each part of a spell-type rule that the sample base must show at least once.
TYPE_FORMS = [
    ("equals", "Instant"), ("equals", "Interrupt"), ("equals", "Sorcery"),
    ("starts", "Creature"), ("starts", "Smn "), ("starts", "Summon "),
    ("equals", "Enchantment"), ("starts", "Enchant "), ("starts", "Echt"),
    ("starts", "Land"), ("starts", "Legendary Land"), ("equals", "Mana Source"),
    ("contains", "Artf Crt"), ("equals", "Artifact Creature"), ("equals", "Artifact"),
]
MARKUP_TOKENS = ["|", "&|", "/", "\\", "<", ">", "&", "%", "{", "}", "^"]
PROGRAM_CONSTRUCTS = ["ComesTap", "Counter:", "KEYWORLD[", "STAB[", "TOKEN[", "Programm:"]
KEYWORD_TOKENS = ["_MW_", "_MU_", "_MB_", "_MR_", "_MG_", "_MART_", "_FS_", "_WB_", "_WU_",
                  "_WG_", "_WW_", "_WR_", "_FL_", "_TR_", "_REG_", "_PW_", "_PU_", "_PB_",
                  "_PR_", "_PG_"]


def check_coverage():
    """The sample base is meant to show every case the filters, the renderer and the play
    test know; stop when an edit of the tables loses one."""
    missing = []
    colors = {c["Color"] for c in CARDS}
    missing += ["colour " + k for k in COLOR_ORDER if k not in colors]
    missing += ["rarity " + r for r in "CUR" if r not in {c["Rarity"] for c in CARDS}]
    types = [c["CardType"] for c in CARDS]
    for how, form in TYPE_FORMS:
        test = {"equals": lambda t: t == form, "starts": lambda t: t.startswith(form),
                "contains": lambda t: form in t}[how]
        if not any(test(t) for t in types):
            missing.append("type %s %r" % (how, form))
    for c in CARDS:
        if not any(rule(c["CardType"]) for _, rule in SPELL_RULES):
            missing.append("no spell-type item lets %s through" % c["Name"])
        if c["Color"] == "Gld" and len({ch for ch in c["Cost"] if ch in "WUBRG"}) < 2:
            missing.append("gold card %s has fewer than two colours" % c["Name"])
    if not any("*" in c["PT"] for c in CARDS):
        missing.append("a power/toughness with *")
    if not any(c["half_of"] for c in CARDS):
        missing.append("a split card")
    words = set()
    for c in CARDS:
        words |= set(c["Text"].split(" ")) | set(c["Flavor"].split(" "))
    missing += ["markup token " + t for t in MARKUP_TOKENS if t not in words]
    programs = " ".join(p for _, p in PROGRAMS)
    missing += ["program construct " + t for t in PROGRAM_CONSTRUCTS + KEYWORD_TOKENS
                if t not in programs]
    if not any(";" in p and "STAB[" in p for _, p in PROGRAMS) or \
            not any("|" in p and "STAB[" in p for _, p in PROGRAMS):
        missing.append("a static ability with several effects and several clauses")
    if missing:
        fail("the sample base lacks: " + "; ".join(missing))


def main():
    assign_numbers_prices_artists()
    check_coverage()
    cards = sorted_card_lines()
    known = {c["Name"] for c in CARDS}
    known_lower = {n.lower() for n in known} | {
        c["half_of"].lower() for c in CARDS if c["half_of"]}

    # The card list.
    write_lines(os.path.join(DATA, "cardlist.dat"), cards)

    # Programs.
    write_lines(os.path.join(DATA, "programm.dat"), program_lines(PROGRAMS, known_lower))

    # Rulings and the changes-only summary.
    title = "Card Rulings Summary" + " " * 42 + "Updated " + SUMMARY_DATE
    rules = summary(title, PREVIOUS_DATE, RULINGS)
    topics = check_rulings(rules, RULINGS, known)
    write_lines(os.path.join(DATA, "rulecards.dat"), rules)
    ctitle = "Card Rulings Summary (CHANGES ONLY)" + " " * 27 + "Updated " + CHANGES_DATE
    changes = summary(ctitle, SUMMARY_DATE, CHANGED_RULINGS)
    topics |= check_rulings(changes, CHANGED_RULINGS, known)
    write_lines(os.path.join(DATA, "import", "rulings_changes.txt"), changes)

    # Settings.
    write_lines(os.path.join(DATA, "Zandor.ini"), ini_lines(), "ascii")

    # Decks.
    for fname, lines in DECKS.items():
        for item in lines:
            if item[0] == "//":
                continue
            ed, name = item[-2], item[-1]
            if not deck_card_exists(ed, name):
                fail("deck %s names a card that is not in the base: [%s] %s"
                     % (fname, ed, name))
        out = deck_lines(lines)
        main_count = sum(i[0] for i in lines if isinstance(i[0], int))
        if not 58 <= main_count <= 62:
            fail("deck %s has %d main-deck cards" % (fname, main_count))
        write_lines(os.path.join(DATA, "decks", fname), out)
    old = []
    for item in OLD_DECK:
        if item[0] is None:
            old.append(item[1])
            continue
        n, name, sb = item
        if find_card(name) is None:
            fail("old deck names an unknown card: " + name)
        old.append(("SB: %d %s" if sb else "    %d %s") % (n, name))
    write_lines(os.path.join(DATA, "decks", OLD_DECK_NAME), old)
    for root, _, files in os.walk(os.path.join(DATA, "decks")):
        for f in files:
            with open(os.path.join(root, f), "rb") as fh:
                if b"PR" in fh.read():
                    fail("deck %s holds the letters PR, which loading rewrites" % f)

    # Import material.
    spoiler = spoiler_lines()
    spoiler_names = {s[0].lower() for s in SPOILER} | {
        s[0].split(" (")[0].lower() for s in SPOILER}
    for name, _ in SPOILER_PROGRAMS:
        if name.lower() not in spoiler_names | known_lower:
            fail("spoiler program for an unknown card: " + name)
    for s in SPOILER:
        if find_card(s[0], IMPORT_EDITION[0]) is not None:
            fail("spoiler card already in the base: " + s[0])
    write_lines(os.path.join(DATA, "import", "glasswater.txt"), spoiler)
    write_lines(os.path.join(DATA, "import", "prices.txt"), price_lines())

    # Help.
    anchors = set()
    for number, _, _ in RULES:
        anchors.add(number)
        anchors.add(number + ".")
    missing = sorted(t for t in topics if t not in anchors)
    if missing:
        fail("rule references without a help topic: " + ", ".join(missing))
    write_help(os.path.join(HELP, "mRuleE.hlp"))

    report(cards)


def report(lines):
    by_ed, by_color, by_type, by_rar = {}, {}, {}, {}
    for c in CARDS:
        by_ed[c["Edition"]] = by_ed.get(c["Edition"], 0) + 1
        by_color[c["Color"]] = by_color.get(c["Color"], 0) + 1
        by_rar[c["Rarity"]] = by_rar.get(c["Rarity"], 0) + 1
        t = c["CardType"]
        kind = next(k for k in ["Summon ", "Smn ", "Creature", "Artifact Creature",
                                "Artf Crt", "Legendary Artifact", "Artifact",
                                "Enchantment", "Enchant ", "Echt", "Legendary Land",
                                "Land", "Instant", "Interrupt", "Sorcery", "Mana Source"]
                    if t.startswith(k))
        by_type[kind] = by_type.get(kind, 0) + 1
    print("card-list lines: %d (%d cards and the version record)" % (len(lines), len(CARDS)))
    for title, d in (("edition", by_ed), ("colour", by_color), ("type", by_type),
                     ("rarity", by_rar)):
        print("  by %s: %s" % (title, ", ".join("%s %d" % kv for kv in sorted(d.items()))))


# ---------------------------------------------------------------------------------------
# The help file: the user guide (contents first) and the game-rule topics that the
# rulings' hot spots open.
# ---------------------------------------------------------------------------------------

GUIDE = [
    ("launcher", "The launcher", """
<p>Zandor Library starts with a small dark window, the launcher. Drag it by its title strip
to any place on the screen. The two small round buttons at the top right minimise the
program and close it; closing the launcher ends the program.</p>
<ul>
<li><b>Deck Editor</b> opens the deck editor, where you browse the card base and build decks.</li>
<li><b>Test Play</b> opens the play table to try decks out. Closing the table brings you back here.</li>
<li><b>Options</b> opens the <a href="#options">options</a>.</li>
</ul>
<p>F1 opens this help in every window.</p>"""),
    ("deckeditor", "The deck editor", """
<p>The deck editor is the program's main window. On the left you see the card face of the
card you last clicked, in the middle the <a href="#baselist">base list</a> of all cards that
the <a href="#filter">card filter</a> lets through, on the right the
<a href="#decklist">deck list</a>. Below them are the deck counters and the
<a href="#cardinfo">card information</a> with the card's errata and rulings.</p>
<p>The tool bar holds, from left to right: New deck, Load deck, Save deck, Find card
(a toggle), Find next, Card filter, Print proxies, Test play, Statistics and Help. The
menus "File", "Database", "Tools", "Deck" and "Help" hold the same commands and a few
more: "Save Apprentice...", "Edit Card...", "Add/Delete Edition...", "Add Card
Prices...", "Options..." and "About...".</p>
<p>Closing the deck editor only hides it: your deck and the card shown are still there the
next time you open it.</p>"""),
    ("baselist", "The base list", """
<p>Each line of the base list is one card: its edition code in brackets, a dash and its
name, for example <tt>[SV] - Crag Wyrm</tt>. The caption above the list counts the cards
selected. A split card shows as two lines, one for each half.</p>
<p>Click a line (or move to it with the arrow keys) to see the card. Hold an arrow key to
run through the list: price and rulings follow at once, and the card face is drawn when
you let go of the key.</p>
<p><b>Find Card:</b> type the beginning of a name in the box above the list; the list jumps
to the first card at or after what you typed, and a second later the card is shown.</p>
<p>The right mouse button opens a menu with "Edit Card..." (see <a href="#cardedit">card
edit</a>) and "Add to proxy print..." (see <a href="#proxies">proxies</a>).</p>
<p>The list you see when you close the program is kept in "tempbase.dat" and comes back
at the next start.</p>"""),
    ("filter", "The card filter", """
<p>The filter button opens "Card Filter". Tick what the base list should show:</p>
<ul>
<li><b>Editions.</b> The drop-down list ticks sets of editions at once: "None", "All",
"Selected" (your own choice), and the tournament formats "Type 2", "Extended" and "Type
1", whose editions are listed in the section [Type Games Edition] of "Zandor.ini".</li>
<li><b>Spell types:</b> Instant, Interrupt, Sorcery, Creature, Enchantment, Enchant
{other} (enchantments of a creature or a land), Land, Mana Source, Artifact Creature and
Artifact {non-creature}. The button below ticks or unticks all of them.</li>
<li><b>Colours:</b> Black, Blue, Green, Red, White, Gold, Artifacts and Land.
"{and} Gold" lets gold cards through by the colours of their cost: with "{and} Gold" and
"White" ticked you see the white cards and every gold card with white in its cost, but
no artifacts or lands.</li>
<li><b>Rarities:</b> Common, Uncommon, Rare.</li>
</ul>
<p>OK filters the whole card base; Cancel leaves the list as it was. Your choices are saved
and come back next time.</p>"""),
    ("search", "Card search", """
<p>Press the Find button to open "Find Card". Enter one term, or two terms joined by AND
or OR, and tick the fields to search: Name, Type, Text, Artist and P/T. Letter case does
not matter. "Match whole words only" finds <i>wolf</i> in "Thessa Wolf" but not in
"Wolfhound".</p>
<p>Without "Select matching records" the first matching card is selected; Find next steps
to the following ones. With it, the base list shows all matching cards until you release
the Find button, which brings the previous list back. The search looks only at cards that
the card filter lets through.</p>"""),
    ("decklist", "Building a deck", """
<p>The four buttons between the lists work on the card selected in the base list and on
the line selected in the deck list:</p>
<ul>
<li><b>Add Card</b> adds one copy to the main deck (a line such as
<tt>&nbsp;&nbsp;&nbsp;&nbsp;4 [SV] - Crag Wyrm</tt>),</li>
<li><b>Add sideboard card</b> adds one copy to the sideboard (<tt>SB: 2 [EM] - Hiss of
Steam</tt>),</li>
<li><b>Delete card</b> removes one copy, or the whole line when it was the last,</li>
<li><b>Comment</b> inserts a comment line (<tt>// ...</tt>) before the selected line.</li>
</ul>
<p>The arrows to the right of the deck list move the selected line up or down. A split
card is added under its whole name, for example <tt>Mend/Rend</tt>. The counters below show
the lands, creatures, other spells, the main deck and the sideboard. Type the deck's name
into "Deck Name:".</p>"""),
    ("saveload", "Saving and loading decks", """
<p>"Save Deck..." writes the deck as a ".dec" text file, one deck line per line; the file
name becomes the deck name. "Load Deck..." reads such a file. The sample decks are in the
folder <tt>decks</tt> of the data folder.</p>
<p>Old deck files name no editions (<tt>&nbsp;&nbsp;&nbsp;&nbsp;4 Crag Wyrm</tt>). The
deck editor converts them while loading: each card takes the first edition of the edition
catalogue that holds it, and a card found in no edition becomes a comment line. The file
itself is not changed.</p>
<p>"Save Apprentice..." in the "File" menu writes the deck without edition codes, for the
Apprentice program.</p>"""),
    ("cardinfo", "Card information", """
<p>When you click a card, the deck editor shows its card face, its price
("Price: ... $") and, in the box at the bottom, what the rulings summary says about it:
<b>Errata:</b> or <b>Text:</b> gives the card's corrected text, <b>Rulings:</b> the
official answers to questions about the card, and <b>Note:</b> further hints. Lines
marked with "+" changed since the previous edition of the summary.</p>
<p>References to the game rules, such as <tt>&lt;Rule 212.3b.&gt;</tt>, are hot spots:
click one to open that rule in this help (see <a href="#rules">game rules</a>).</p>
<p>For a split card two tabs name its halves; click a tab to see that half. Resting the
pointer on the card face shows the card's text as a hint.</p>"""),
    ("cardface", "Card faces", """
<p>Every card is drawn as a card face from its record: the frame in the colour of the card
(white, blue, black, red, green, gold, artifact or land), the art picture, the name, the
cost with its mana symbols, the type line, the rules text and flavour text, the
power and toughness of a creature, the artist and the edition symbol.</p>
<p>The art pictures lie in the picture folder chosen in the <a href="#options">options</a>,
one sub-folder per edition code (for example <tt>SV</tt>) with one JPEG file per card,
named after the card. Without a picture the art window stays empty.</p>
<p>In the rules text, mana symbols show on coloured discs, paragraphs are set apart, and
the flavour text is set in italics below the rules text.</p>"""),
    ("proxies", "Printing proxies", """
<p>A proxy is a printed stand-in for a card at real card size. Add cards to the proxy list
with "Add to proxy print..." in the base list's menu, then press the Print Proxy button.
The print dialog lets you choose whether the proxies carry the art picture, the card
frame, a black border, and a gap between the cards; as many proxies as fit are printed
on each page.</p>"""),
    ("playtest", "Play test", """
<p>The play table lets two players try their decks. Choose the decks in the load deck
dialog (from a file or from the deck editor) and trade cards with the sideboard if you
like; "New Game" shuffles each library, deals seven cards and sets life to 20.</p>
<p>Drag cards from your hand onto the table to play them, between the table, the hand, the
library, the graveyard and the removed-from-game pile. The menu of a card on the table
taps, flips, colours, counts or copies it into a token; the hand's menu discards at random
and takes a mulligan. The die and the power/toughness dialog are at hand too.</p>
<p>Card programs make some cards act by themselves: a land that comes into play tapped,
a creature with counters, ability icons such as flying or trample, creatures that make
others stronger while they are on the table, and cards that make tokens. The programs are
kept in "programm.dat" and can be changed with the <a href="#cardedit">card edit</a>.</p>
<p>A split card played from the hand asks which half to play.</p>"""),
    ("statistics", "Deck statistics", """
<p>The Statistics button shows the main deck as a table with each card's cost and count,
the mana curve, the coloured mana symbols of each colour, the numbers of lands, creatures
and other spells, the rarities, the average cost and the value of the deck from the card
prices. Change a card's cost or count in the table to try a variant; the deck itself is
not changed.</p>"""),
    ("maintenance", "Database maintenance", """
<p>The "Tools" menu of the deck editor keeps the card base up to date:</p>
<ul>
<li><a href="#editions">Add/Delete Edition...</a>: import a new edition from a text
spoiler, or delete an edition with all its cards.</li>
<li><a href="#prices">Add Card Prices...</a>: update the card prices.</li>
<li><a href="#rulingsupdate">Card rulings summary</a>: check a changes-only summary
against the installed one.</li>
<li><a href="#cardedit">Edit Card...</a>: correct a single card.</li>
</ul>
<p>Every change is saved at once.</p>"""),
    ("editions", "Adding and deleting editions", """
<p>"Edit Edition" lists the editions of the catalogue as code and name.</p>
<p><b>Add Edition...</b> asks for the edition's name, its code (the short key stored with
every card) and the text spoiler file. Each card of the spoiler is a group of labelled
lines ("Card Title:", "Card Color:", "Type &amp; Class:", "Casting Cost:", "Pow/Tgh:",
"Card Text:", "Flavor Text:", "Artist:", "Rarity:", "Card #:"); the labels can be changed
in the dialog. Card programs may follow the line <tt>///PROG CARD CODE\\\\\\</tt> at the
end of the spoiler. The new edition is put first in the catalogue and starts unticked in
the card filter. The sample spoiler <tt>import/glasswater.txt</tt> adds the edition
Glasswater.</p>
<p><b>Delete Edition...</b> removes the selected edition and all its cards from the card
base, after asking. Decks, rulings and programs are not touched.</p>"""),
    ("prices", "Card prices", """
<p>"Add Card Prices..." reads a price list, a text file with the card name in the first
30 columns (the edition in parentheses when the price belongs to one edition only, such
as <tt>Crag Wyrm (SV)</tt>) and the price after it. "Добавить" reads a file,
"Обновить через интернет" downloads the current list. Names that match no card are listed
in the dialog. The sample price list is <tt>import/prices.txt</tt>.</p>"""),
    ("rulingsupdate", "Card rulings summary", """
<p>The rulings summary is the file "rulecards.dat". Its header tells when it was
published. A changes-only summary lists only the cards whose rulings changed. The dialog
"Add Card Rulings Summary" compares the dates: green means the changes follow the
installed summary directly, yellow that an edition is missing in between. "Обновить"
renews the installed summary's header and clears its change marks; the previous
summary is kept as "rulecards.bak". The sample changes-only summary is
<tt>import/rulings_changes.txt</tt>.</p>"""),
    ("cardedit", "Editing a card", """
<p>Untick "Look Base" in the "Database" menu; then "Edit Card..." opens the selected card
with all its fields and its play-test program ("Prog:"). OK saves the card at once.
Clearing the program removes it.</p>"""),
    ("options", "Options", """
<p>The options set the picture folder with the card art, how art pictures are scaled
("Standart", "Box" or "Lanczos3"), whether the play table drags a frame instead of the
card picture, whether the card view fades from card to card, and the print options of
the proxies.</p>"""),
    ("about", "About", """
<p>"About..." in the "Help" menu shows the program's version, the date of the last price
update, the date of the rulings summary and the version of the card base.</p>"""),
]


def write_help(path):
    from html import escape
    parts = ["<!DOCTYPE html>", "<html>", "<head>", '<meta charset="utf-8">',
             "<title>Zandor Library Help</title>", "</head>", "<body>",
             '<a name="contents"></a>', "<h1>Zandor Library</h1>",
             "<p>Zandor Library keeps your card base, builds and tests your decks, prints "
             "proxies and keeps the database up to date. Choose a topic:</p>", "<ul>"]
    for anchor, title, _ in GUIDE:
        parts.append('<li><a href="#%s">%s</a></li>' % (anchor, escape(title)))
    parts.append('<li><a href="#rules">Game rules cited in the rulings</a></li>')
    parts.append("</ul>")
    for anchor, title, body in GUIDE:
        # The anchor sits inside the heading so that a jump shows the heading on top.
        parts.append('<hr>\n<h2><a name="%s"></a>%s</h2>%s' % (anchor, escape(title), body))
        parts.append('<p><a href="#contents">Contents</a></p>')
    parts.append('<hr>\n<h2><a name="rules"></a>Game rules cited in the rulings</h2>')
    parts.append("<p>These are the rules that the card rulings refer to.</p><ul>")
    for number, title, _ in RULES:
        parts.append('<li><a href="#%s">%s %s</a></li>' % (number, number, escape(title)))
    parts.append("</ul>")
    for number, title, text in RULES:
        parts.append('<h3><a name="%s"></a><a name="%s."></a>Rule %s. %s</h3>\n<p>%s</p>'
                     % (number, number, number, escape(title), escape(text)))
        parts.append('<p><a href="#rules">Game rules</a> | <a href="#contents">Contents'
                     '</a></p>')
    parts += ["</body>", "</html>"]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(parts) + "\n")


if __name__ == "__main__":
    main()

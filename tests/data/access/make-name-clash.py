#!/usr/bin/env python3
"""Writes nameClash.mdb beside this script with jetwriter (../shared/tools/jetwriter):
a form entry named "Orders" ahead of the table "Orders", as Access files with
forms have, and a saved query named like the table "Customers", which Access
forbids but a damaged or hand-edited file may hold."""
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "..", "..", "shared", "tools", "jetwriter"))
from jetwriter import Double, JetWriter, Long, Text  # noqa: E402

writer = JetWriter()
writer.add_bare_object("Orders")
writer.add_table("Orders", [Long("OrderID"), Text("Customer", 40), Double("Amount")],
                 [(1, "Alfreds", 10.5), (2, "Ana Trujillo", 20.25), (3, "Antonio Moreno", 7.0)],
                 primary_key="OrderID", allow_name_clash=True)
writer.add_table("Customers", [Long("id"), Text("name", 40)], [(1, "Alfreds"), (2, "Núñez")],
                 primary_key="id")
writer.add_query_sql("Customers", "SELECT id, name FROM Customers", allow_name_clash=True)
writer.add_query_sql("BigOrders", "SELECT OrderID, Amount FROM Orders WHERE Amount > 10")
writer.write(os.path.join(here, "nameClash.mdb"))
